#include "platform/input_script.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/area.h"
#include "platform/clock.h"
#include "platform/input.h"

namespace glimmet {

namespace {

enum class Kind {
    KeyDown,
    KeyUp,
    Text,
    MouseMove,
    MouseDown,
    MouseUp,
    Close,
    JoyAxis,
    JoyHat,
    JoyButtonDown,
    JoyButtonUp
};

struct ScriptEvent {
    When when;
    Kind kind = Kind::Close;
    int a = 0;   // key scancode, mouse button, joystick port, character code
    int b = 0;   // joystick axis or button, SDL hat bits
    float x = 0; // mouse position, axis value
    float y = 0;
};

std::vector<ScriptEvent> Queue;
bool QueuedSinceDelivery = false;
std::vector<SDL_JoystickID> TestSticks; // kept open so that their values can be set

void Add(const ScriptEvent& event) {
    Queue.push_back(event);
    QueuedSinceDelivery = true;
}

bool Due(const When& when) {
    return when.byFrame ? PresentCount() >= when.at : Millis() >= when.at;
}

Uint32 FocusWindowId() {
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0) return 0;
    SDL_Window* window = SDL_GetKeyboardFocus();
    return window != nullptr ? SDL_GetWindowID(window) : 0;
}

void PushKey(int scancode, bool down) {
    SDL_Event event{};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.windowID = FocusWindowId();
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.scancode = static_cast<SDL_Scancode>(scancode);
    event.key.keysym.sym = SDL_GetKeyFromScancode(event.key.keysym.scancode);
    SDL_PushEvent(&event);
}

// One character as UTF-8 text input.
void PushText(int code) {
    SDL_Event event{};
    event.type = SDL_TEXTINPUT;
    event.text.windowID = FocusWindowId();
    auto c = static_cast<unsigned>(std::clamp(code, 1, 0x10FFFF));
    char* out = event.text.text;
    if (c < 0x80) {
        out[0] = static_cast<char>(c);
    } else if (c < 0x800) {
        out[0] = static_cast<char>(0xC0 | (c >> 6));
        out[1] = static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out[0] = static_cast<char>(0xE0 | (c >> 12));
        out[1] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out[2] = static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out[0] = static_cast<char>(0xF0 | (c >> 18));
        out[1] = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out[2] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out[3] = static_cast<char>(0x80 | (c & 0x3F));
    }
    SDL_PushEvent(&event);
}

void PushMouseMove(float x, float y) {
    float wx = 0, wy = 0;
    AreaToWindow(x, y, wx, wy);
    SDL_Event event{};
    event.type = SDL_MOUSEMOTION;
    event.motion.windowID = FocusWindowId();
    event.motion.x = static_cast<Sint32>(std::lround(wx));
    event.motion.y = static_cast<Sint32>(std::lround(wy));
    SDL_PushEvent(&event);
}

void PushMouseButton(int button, bool down) {
    static const Uint8 sdlButton[4] = {0, SDL_BUTTON_LEFT, SDL_BUTTON_RIGHT, SDL_BUTTON_MIDDLE};
    SDL_Event event{};
    event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    event.button.windowID = FocusWindowId();
    event.button.button = sdlButton[std::clamp(button, 0, 3)];
    event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.button.clicks = 1;
    SDL_PushEvent(&event);
}

void PushClose() {
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.windowID = FocusWindowId();
    event.window.event = SDL_WINDOWEVENT_CLOSE;
    SDL_PushEvent(&event);
}

// A virtual stick's values are set here; SDL turns them into joystick events when it next updates.
void SetStick(const ScriptEvent& e) {
    if (e.a < 0 || e.a >= SDL_NumJoysticks()) return;
    SDL_Joystick* stick = SDL_JoystickFromInstanceID(SDL_JoystickGetDeviceInstanceID(e.a));
    if (stick == nullptr) return;
    switch (e.kind) {
    case Kind::JoyAxis: {
        auto value = static_cast<Sint16>(std::lround(std::clamp(e.x, -1.0f, 1.0f) * 32767.0f));
        SDL_JoystickSetVirtualAxis(stick, e.b, value);
        break;
    }
    case Kind::JoyHat:
        SDL_JoystickSetVirtualHat(stick, 0, static_cast<Uint8>(e.b));
        break;
    case Kind::JoyButtonDown:
        SDL_JoystickSetVirtualButton(stick, e.b, SDL_PRESSED);
        break;
    case Kind::JoyButtonUp:
        SDL_JoystickSetVirtualButton(stick, e.b, SDL_RELEASED);
        break;
    default:
        break;
    }
}

void Deliver(const ScriptEvent& e) {
    switch (e.kind) {
    case Kind::KeyDown:
        PushKey(e.a, true);
        break;
    case Kind::KeyUp:
        PushKey(e.a, false);
        break;
    case Kind::Text:
        PushText(e.a);
        break;
    case Kind::MouseMove:
        PushMouseMove(e.x, e.y);
        break;
    case Kind::MouseDown:
        PushMouseButton(e.a, true);
        break;
    case Kind::MouseUp:
        PushMouseButton(e.a, false);
        break;
    case Kind::Close:
        PushClose();
        break;
    default:
        SetStick(e);
        break;
    }
}

// Hat directions as SDL's bit masks, clockwise from up in eighths of a turn.
Uint8 HatBits(float turn) {
    static const Uint8 eighths[8] = {SDL_HAT_UP,   SDL_HAT_RIGHTUP,  SDL_HAT_RIGHT, SDL_HAT_RIGHTDOWN,
                                     SDL_HAT_DOWN, SDL_HAT_LEFTDOWN, SDL_HAT_LEFT,  SDL_HAT_LEFTUP};
    if (!(turn >= 0.0f) || turn > 1.0f) return SDL_HAT_CENTERED;
    return eighths[std::lround(turn * 8.0f) % 8];
}

} // namespace

When AtFrame(long frame) {
    return When{true, frame};
}
When AtTime(int ms) {
    return When{false, ms};
}
When AtOnce() {
    return When{true, 0};
}

bool PressKey(int code, When when) {
    int scancode = ScancodeOfVirtualKey(code);
    if (scancode == SDL_SCANCODE_UNKNOWN) return false;
    Add(ScriptEvent{when, Kind::KeyDown, scancode});
    return true;
}

bool ReleaseKey(int code, When when) {
    int scancode = ScancodeOfVirtualKey(code);
    if (scancode == SDL_SCANCODE_UNKNOWN) return false;
    Add(ScriptEvent{when, Kind::KeyUp, scancode});
    return true;
}

void TypeChar(int code, When when) {
    Add(ScriptEvent{when, Kind::Text, code});
}

void TypeText(const std::string& text, When when) {
    for (char c : text) TypeChar(static_cast<unsigned char>(c), when);
}

void MoveMouseTo(float x, float y, When when) {
    Add(ScriptEvent{when, Kind::MouseMove, 0, 0, x, y});
}
void PressMouse(int button, When when) {
    Add(ScriptEvent{when, Kind::MouseDown, button});
}
void ReleaseMouse(int button, When when) {
    Add(ScriptEvent{when, Kind::MouseUp, button});
}
void RequestClose(When when) {
    Add(ScriptEvent{when, Kind::Close});
}

int AttachTestJoystick(const std::string& name, int buttons, bool hasHat) {
    PollInput(); // starts the joystick subsystem
    SDL_VirtualJoystickDesc desc;
    SDL_zero(desc);
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_UNKNOWN; // a game-controller type would rest its triggers at -1
    desc.naxes = 6;
    desc.nbuttons = static_cast<Uint16>(std::clamp(buttons, 0, 32));
    desc.nhats = hasHat ? 1 : 0;
    desc.name = name.c_str();
    int port = SDL_JoystickAttachVirtualEx(&desc);
    if (port < 0) return -1;
    SDL_Joystick* stick = SDL_JoystickOpen(port);
    if (stick == nullptr) {
        SDL_JoystickDetachVirtual(port);
        return -1;
    }
    TestSticks.push_back(SDL_JoystickInstanceID(stick));
    return port;
}

void SetJoyAxis(int port, int axis, float value, When when) {
    if (std::isnan(value)) value = 0;
    Add(ScriptEvent{when, Kind::JoyAxis, port, axis, value});
}

void SetJoyHat(int port, float turn, When when) {
    Add(ScriptEvent{when, Kind::JoyHat, port, HatBits(turn)});
}
void PressJoyButton(int port, int button, When when) {
    Add(ScriptEvent{when, Kind::JoyButtonDown, port, button});
}
void ReleaseJoyButton(int port, int button, When when) {
    Add(ScriptEvent{when, Kind::JoyButtonUp, port, button});
}

void DetachTestJoysticks() {
    if (SDL_WasInit(SDL_INIT_JOYSTICK) != 0) {
        for (SDL_JoystickID id : TestSticks) {
            for (int i = 0; i < SDL_NumJoysticks(); i++) {
                if (SDL_JoystickGetDeviceInstanceID(i) != id) continue;
                if (SDL_Joystick* stick = SDL_JoystickFromInstanceID(id)) SDL_JoystickClose(stick);
                SDL_JoystickDetachVirtual(i);
                break;
            }
        }
    }
    TestSticks.clear();
}

int PendingScriptEvents() {
    return static_cast<int>(Queue.size());
}

void ClearScript() {
    Queue.clear();
    QueuedSinceDelivery = false;
}

bool ScriptQueuedSinceDelivery() {
    return QueuedSinceDelivery;
}

void DeliverDueScriptEvents() {
    QueuedSinceDelivery = false;
    std::vector<ScriptEvent> due;
    std::vector<ScriptEvent> later;
    for (const ScriptEvent& event : Queue) (Due(event.when) ? due : later).push_back(event);
    if (due.empty()) return;
    Queue = std::move(later);
    std::stable_sort(due.begin(), due.end(), [](const ScriptEvent& l, const ScriptEvent& r) {
        if (l.when.byFrame != r.when.byFrame) return l.when.byFrame;
        return l.when.at < r.when.at;
    });
    for (const ScriptEvent& event : due) Deliver(event);
}

} // namespace glimmet
