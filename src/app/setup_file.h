#pragma once
// The setup file, Setup.ini in the Files folder: display, audio and control settings between runs.

namespace glimmet {

void LoadSetup(); // with the Files folder current; reads the file and chooses the audio driver
void SaveSetup(); // with the game folder current; rewrites ../Setup.ini and comes back

} // namespace glimmet
