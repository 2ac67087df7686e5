#pragma once
// Control bindings: control c (0..19) of player p (1..4) is bound to the input code in KeyBind slot
// (p - 1) * 20 + c. Codes 1..255 are keys (Windows virtual-key numbers), 300..499 joystick inputs,
// 0 nothing.

#include <array>

namespace glimmet {

extern std::array<int, 101> KeyBind;

int BindSlot(int control, int player);
void SetDefaultBindings(); // all unbound except player 1's arrows and Z, X, C, V

} // namespace glimmet
