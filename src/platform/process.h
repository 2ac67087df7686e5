#pragma once
// Ending the process. In the test mode the end is caught: EndProcess throws ProcessEnded instead, so a
// test can run the shutdown and go on.

namespace glimmet {

struct ProcessEnded {
    int code;
};

[[noreturn]] void EndProcess(int code);
void CatchProcessEnd(bool on);

} // namespace glimmet
