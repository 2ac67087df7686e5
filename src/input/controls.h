#pragma once
// Input codes, control bindings and key names.
//
// An input code names one physical input: 0 nothing (an unbound control); 1..255 the keyboard key with
// that virtual-key code (1, 2, 3 are named as the mouse buttons but never test as held); and
// 250 + 50 * j + d (300..499) input d of joystick j (1..4): d 0..11 the axis directions Y-, Y+, X-,
// X+, Z-, Z+, U-, U+, V-, V+, R-, R+ (held beyond the rest reading +/- 0.3), d 20 / 25 / 28 / 23 the
// hat directions up / right / down / left, d 30..49 the buttons 0..19.
//
// Control c (0..19) of player p (1..4) is bound to the input code in KeyBind slot (p - 1) * 20 + c.

#include <array>
#include <string>

namespace glimmet {

extern std::array<int, 101> KeyBind;

// Control numbers of the pad and the four buttons (player 1's defaults: the arrows and Z, X, C, V).
constexpr int PadUp = 0;
constexpr int PadLeft = 3;
constexpr int PadRight = 5;
constexpr int PadDown = 8;
constexpr int ButtonLower = 10;
constexpr int ButtonRight = 11;
constexpr int ButtonLeft = 12;
constexpr int ButtonUpper = 13;

// Joystick state by port 1..4 (slot 0 unused), filled by JoystickCensus at start.
extern int JoyCount; // sticks found, at most 4
extern std::array<std::string, 5> JoyName;
extern std::array<int, 5> JoyButtons; // button mask: 2^n - 1 for n buttons
extern std::array<double, 5> JoyRestX, JoyRestY, JoyRestZ, JoyRestU, JoyRestV, JoyRestR;
extern std::array<int, 5> JoyHasHat;  // 1 when the hat read centred (-1) at start
extern std::array<int, 5> JoyPresent; // 1 for a stick in use; the settings panel can switch it off

int BindSlot(int control, int player);
int DefaultBinding(int slot); // 0 except player 1's arrows and Z, X, C, V
void SetDefaultBindings();

// Counts the sticks (the first four) and reads each one's name, buttons, axes at rest and hat.
void JoystickCensus();

bool InputDown(int code);
bool ControlDown(int control, int player);
int ScanInput(); // the first input held now, or 0; nothing while F11 or F12 is held
std::string KeyName(int code);

// The hat tests on a reading (fraction of a turn clockwise from up, -1 centred): whether hat input d
// (20, 25, 28, 23) holds, and which input a reading names exactly (0 for none or a diagonal).
bool HatHolds(int d, double hat);
int HatExactInput(double hat);

} // namespace glimmet
