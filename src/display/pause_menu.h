#pragma once
// The pause menu: the frozen game picture wobbling behind a shower of the window title, with
// "Continue" and "Quit".

namespace glimmet {

int PauseMenu(); // 1 continue, 99 quit

} // namespace glimmet
