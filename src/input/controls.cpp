#include "input/controls.h"

#include <algorithm>
#include <utility>

#include "platform/input.h"
#include "platform/joystick.h"
#include "platform/keys.h"

namespace glimmet {

std::array<int, 101> KeyBind{};

int JoyCount = 0;
std::array<std::string, 5> JoyName;
std::array<int, 5> JoyButtons{};
std::array<double, 5> JoyRestX{}, JoyRestY{}, JoyRestZ{}, JoyRestU{}, JoyRestV{}, JoyRestR{};
std::array<int, 5> JoyHasHat{};
std::array<int, 5> JoyPresent{};

namespace {

constexpr int MaxSticks = 4;
constexpr double AxisThreshold = 0.3;

// The platform's axis numbers: X 0, Y 1, Z 2, U 3, V 4, R 5.
enum Axis { AxisX, AxisY, AxisZ, AxisU, AxisV, AxisR };

// Joystick inputs d 0..11 come in pairs (minus, plus) per axis, in the order Y, X, Z, U, V, R.
constexpr Axis AxisOfPair[6] = {AxisY, AxisX, AxisZ, AxisU, AxisV, AxisR};

double Rest(int j, Axis axis) {
    auto s = static_cast<size_t>(j);
    switch (axis) {
    case AxisX:
        return JoyRestX[s];
    case AxisY:
        return JoyRestY[s];
    case AxisZ:
        return JoyRestZ[s];
    case AxisU:
        return JoyRestU[s];
    case AxisV:
        return JoyRestV[s];
    default:
        return JoyRestR[s];
    }
}

// Axis input d (0..11) of joystick j, compared strictly with the rest reading.
bool AxisHolds(int j, int d) {
    Axis axis = AxisOfPair[d / 2];
    double reading = JoystickAxis(j - 1, axis);
    double rest = Rest(j, axis);
    return d % 2 == 0 ? reading < rest - AxisThreshold : reading > rest + AxisThreshold;
}

bool IsHatInput(int d) {
    return d == 20 || d == 25 || d == 28 || d == 23;
}

bool StickInUse(int j) {
    return j >= 1 && j <= MaxSticks && JoyPresent[static_cast<size_t>(j)] != 0;
}

// Buttons tried by ScanInput: while b is below the stick's button mask, and only buttons 0..18 can be
// reported; bounding by both keeps the loop short for a stick with many buttons.
int ScanButtons(int j) {
    return std::clamp(JoyButtons[static_cast<size_t>(j)], 0, 19);
}

// Names of keyboard codes; codes not listed are named like joystick inputs (see KeyName).
struct KeyLabel {
    int code;
    const char* name;
};

constexpr KeyLabel KeyLabels[] = {
    {1, "Left Mousebutton"},
    {2, "Right Mousebutton"},
    {3, "Middle Mousebutton"},
    {8, "Backspace"},
    {9, "Tab"},
    {12, "Clear"},
    {13, "Return"},
    {19, "Pause"},
    {20, "CapsLock"},
    {27, "Escape"},
    {32, "Space"},
    {33, "Page Up"},
    {34, "Page Down"},
    {35, "End"},
    {36, "Home"},
    {37, "Left"},
    {38, "Up"},
    {39, "Right"},
    {40, "Down"},
    {41, "Select"},
    {42, "Print"},
    {43, "Execute"},
    {44, "Screen"},
    {45, "Insert"},
    {46, "Delete"},
    {47, "Help"},
    {91, "Sys Left"},
    {92, "Sys Right"},
    {106, "*"},
    {107, "+"},
    {109, "-"},
    {110, "."},
    {111, "/"},
    {144, "NumLock"},
    {145, "ScrollLock"},
    {160, "LShift"},
    {161, "RShift"},
    {162, "LControl"},
    {163, "RControl"},
    {164, "LAlt"},
    {165, "RAlt"},
    {173, "Mute"},
    {174, "Volume Down"},
    {175, "Volume Up"},
    {186, ";"},
    {187, "="},
    {188, ","},
    {189, "-"},
    {190, "."},
    {191, "/"},
    {192, "'"},
    {219, "["},
    {220, "\\"},
    {221, "]"},
    {222, "#"},
    {223, "`"},
    {226, "\\"},
};

// Joystick input names by d; empty where d has no name.
const char* JoystickInputName(int d) {
    static const char* const axes[12] = {"Y-", "Y+", "X-", "X+", "Z-", "Z+",
                                         "U-", "U+", "V-", "V+", "R-", "R+"};
    if (d >= 0 && d < 12) return axes[d];
    switch (d) {
    case 20:
        return "Up";
    case 23:
        return "Left";
    case 25:
        return "Right";
    case 28:
        return "Down";
    default:
        return "";
    }
}

} // namespace

int BindSlot(int control, int player) {
    return (player - 1) * 20 + control;
}

int DefaultBinding(int slot) {
    static const std::array<std::pair<int, int>, 8> Defaults = {{
        {PadUp, KeyArrowUp},
        {PadDown, KeyArrowDown},
        {PadLeft, KeyArrowLeft},
        {PadRight, KeyArrowRight},
        {ButtonLower, KeyZ},
        {ButtonRight, KeyX},
        {ButtonLeft, KeyC},
        {ButtonUpper, KeyV},
    }};
    for (const auto& [control, code] : Defaults)
        if (slot == BindSlot(control, 1)) return code;
    return 0;
}

void SetDefaultBindings() {
    for (size_t slot = 0; slot < KeyBind.size(); slot++)
        KeyBind[slot] = DefaultBinding(static_cast<int>(slot));
}

void JoystickCensus() {
    JoyCount = std::min(JoystickCount(), MaxSticks);
    JoyName.fill("");
    JoyButtons.fill(0);
    JoyRestX.fill(0), JoyRestY.fill(0), JoyRestZ.fill(0), JoyRestU.fill(0), JoyRestV.fill(0),
        JoyRestR.fill(0);
    JoyHasHat.fill(0);
    JoyPresent.fill(0);
    for (int p = 1; p <= JoyCount; p++) {
        auto s = static_cast<size_t>(p);
        int port = p - 1;
        JoyButtons[s] = JoystickButtonMask(port);
        JoyName[s] = JoystickName(port);
        JoyRestX[s] = JoystickAxis(port, AxisX);
        JoyRestY[s] = JoystickAxis(port, AxisY);
        JoyRestZ[s] = JoystickAxis(port, AxisZ);
        JoyRestU[s] = JoystickAxis(port, AxisU);
        JoyRestV[s] = JoystickAxis(port, AxisV);
        JoyRestR[s] = JoystickAxis(port, AxisR);
        JoyPresent[s] = 1;
        JoyHasHat[s] = JoystickHat(port) == -1.0 ? 1 : 0;
    }
}

bool HatHolds(int d, double hat) {
    switch (d) {
    case 20:
        return hat >= 0 && (hat < 0.2 || hat > 0.8);
    case 25:
        return hat > 0.1 && hat < 0.4;
    case 28:
        return hat > 0.3 && hat < 0.7;
    case 23:
        return hat > 0.6 && hat < 0.9;
    default:
        return false;
    }
}

int HatExactInput(double hat) {
    if (hat == 0.0) return 20;
    if (hat == 0.25) return 25;
    if (hat == 0.5) return 28;
    if (hat == 0.75) return 23;
    return 0;
}

bool InputDown(int code) {
    if (code >= 10 && code <= 254 && KeyDown(code)) return true;
    if (code < 300) return false;
    int j = code / 50 - 5;
    int d = code % 50;
    if (!StickInUse(j)) return false;
    if (d < 12) return AxisHolds(j, d);
    if (IsHatInput(d)) return JoyHasHat[static_cast<size_t>(j)] == 1 && HatHolds(d, JoystickHat(j - 1));
    if (d >= 30) return JoystickButton(j - 1, d - 30);
    return false;
}

bool ControlDown(int control, int player) {
    int slot = BindSlot(control, player);
    if (slot < 0 || slot >= static_cast<int>(KeyBind.size())) return false;
    return InputDown(KeyBind[static_cast<size_t>(slot)]);
}

int ScanInput() {
    if (KeyDown(KeyF11) || KeyDown(KeyF12)) return 0;
    for (int code = 1; code <= 255; code++)
        if (KeyDown(code)) return code;
    for (int j = 1; j <= std::min(JoyCount, MaxSticks); j++) {
        if (!StickInUse(j)) continue;
        int base = 50 * j + 250;
        for (int d = 0; d < 12; d++)
            if (AxisHolds(j, d)) return base + d;
        if (JoyHasHat[static_cast<size_t>(j)] == 1) {
            int d = HatExactInput(JoystickHat(j - 1));
            if (d != 0) return base + d;
        }
        for (int b = 0; b < ScanButtons(j); b++)
            if (JoystickButton(j - 1, b)) return base + 30 + b;
    }
    return 0;
}

std::string KeyName(int code) {
    if (code <= 0) return "None";
    if (code >= 48 && code <= 57) return std::string(1, static_cast<char>(code));       // digits
    if (code >= 65 && code <= 90) return std::string(1, static_cast<char>(code));       // letters
    if (code >= 96 && code <= 105) return std::string(1, static_cast<char>(code - 48)); // number pad
    if (code >= 112 && code <= 123) return "F" + std::to_string(code - 111);
    for (const KeyLabel& label : KeyLabels)
        if (label.code == code) return label.name;
    int d = code % 50;
    std::string name = JoystickInputName(d);
    return name.empty() ? std::to_string(d - 30) : name;
}

} // namespace glimmet
