#pragma once
// Names of the Windows virtual-key codes the program reads and the setup file stores. The table that
// maps SDL's scancodes to these codes is in input.cpp; these are the codes code and tests name.

namespace glimmet {

constexpr int KeyBackspace = 8;
constexpr int KeyTab = 9;
constexpr int KeyReturn = 13; // Enter
constexpr int KeyEscape = 27;
constexpr int KeySpace = 32;
constexpr int KeyArrowLeft = 37;
constexpr int KeyArrowUp = 38;
constexpr int KeyArrowRight = 39;
constexpr int KeyArrowDown = 40;
constexpr int KeyDigit1 = 49; // the digits 0..9 are 48..57
constexpr int KeyDigit2 = 50;
constexpr int KeyDigit3 = 51;
constexpr int KeyA = 65; // the letters A..Z are 65..90
constexpr int KeyC = 67;
constexpr int KeyQ = 81;
constexpr int KeyV = 86;
constexpr int KeyW = 87;
constexpr int KeyX = 88;
constexpr int KeyZ = 90;
constexpr int KeyF1 = 112; // F1..F12 are 112..123
constexpr int KeyF2 = 113;
constexpr int KeyF3 = 114;
constexpr int KeyF4 = 115;
constexpr int KeyF11 = 122;
constexpr int KeyF12 = 123;
constexpr int KeyLeftShift = 160;
constexpr int KeyRightShift = 161;
constexpr int KeyLeftControl = 162;
constexpr int KeyRightControl = 163;
constexpr int KeyLeftAlt = 164;
constexpr int KeyRightAlt = 165;

} // namespace glimmet
