#pragma once
// Shutdown: the only way out of the program.

namespace glimmet {

// Writes Setup.ini and nuscores.dat, logs the last lines, closes the log and ends the process.
[[noreturn]] void CloseProgram();

} // namespace glimmet
