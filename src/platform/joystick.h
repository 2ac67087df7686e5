#pragma once
// Joysticks through SDL's joystick API, numbered by port from 0 in SDL's order.
//
// Axes 0..5 are called X, Y, Z, U, V and R; they are SDL's axes 0..5, which on Linux come in the
// kernel's order (X, Y, Z, Rx, Ry, Rz) for most sticks. Readings run from -1 to 1; a missing axis
// reads 0. The hat reads the direction as a fraction of a turn clockwise from up (0 up, 0.125 up-right,
// 0.25 right, ... 0.875 up-left) and -1 when centred. A stick without a hat reads 0, never -1, so a
// census that takes "reads -1 at rest" as "has a hat" finds none. Reads pump the input like every
// other input query (see input.h).

#include <string>

namespace glimmet {

int JoystickCount();
std::string JoystickName(int port);      // "" for a port with no stick
int JoystickButtonMask(int port);        // 2^n - 1 for n buttons (at most 31 counted)
double JoystickAxis(int port, int axis); // axis 0..5 = X, Y, Z, U, V, R
double JoystickHat(int port);
bool JoystickButton(int port, int button);

} // namespace glimmet
