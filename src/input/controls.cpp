#include "input/controls.h"

namespace glimmet {

std::array<int, 101> KeyBind{};

int BindSlot(int control, int player) { return (player - 1) * 20 + control; }

void SetDefaultBindings() {
    KeyBind.fill(0);
    KeyBind[BindSlot(0, 1)] = 38;  // pad up: Up arrow
    KeyBind[BindSlot(8, 1)] = 40;  // pad down: Down arrow
    KeyBind[BindSlot(3, 1)] = 37;  // pad left: Left arrow
    KeyBind[BindSlot(5, 1)] = 39;  // pad right: Right arrow
    KeyBind[BindSlot(10, 1)] = 90; // lower button: Z
    KeyBind[BindSlot(11, 1)] = 88; // right button: X
    KeyBind[BindSlot(12, 1)] = 67; // left button: C
    KeyBind[BindSlot(13, 1)] = 86; // upper button: V
}

} // namespace glimmet
