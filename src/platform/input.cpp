#include "platform/input.h"

#include <SDL.h>

#include <array>
#include <deque>

#include "platform/area.h"
#include "platform/clock.h"
#include "platform/input_script.h"

namespace glimmet {

namespace {

struct KeyCode {
    SDL_Scancode scancode;
    int code;
};

// Keys are taken by position (scancode), so the codes do not change with the keyboard layout. The
// punctuation keys get the codes whose names match their caps: ' 192, # 222, ` 223, the extra
// backslash key of ISO keyboards 226.
constexpr KeyCode KeyTable[] = {
    {SDL_SCANCODE_BACKSPACE, 8},
    {SDL_SCANCODE_TAB, 9},
    {SDL_SCANCODE_CLEAR, 12},
    {SDL_SCANCODE_RETURN, 13},
    {SDL_SCANCODE_KP_ENTER, 13},
    {SDL_SCANCODE_PAUSE, 19},
    {SDL_SCANCODE_CAPSLOCK, 20},
    {SDL_SCANCODE_ESCAPE, 27},
    {SDL_SCANCODE_SPACE, 32},
    {SDL_SCANCODE_PAGEUP, 33},
    {SDL_SCANCODE_PAGEDOWN, 34},
    {SDL_SCANCODE_END, 35},
    {SDL_SCANCODE_HOME, 36},
    {SDL_SCANCODE_LEFT, 37},
    {SDL_SCANCODE_UP, 38},
    {SDL_SCANCODE_RIGHT, 39},
    {SDL_SCANCODE_DOWN, 40},
    {SDL_SCANCODE_SELECT, 41},
    {SDL_SCANCODE_EXECUTE, 43},
    {SDL_SCANCODE_PRINTSCREEN, 44},
    {SDL_SCANCODE_INSERT, 45},
    {SDL_SCANCODE_DELETE, 46},
    {SDL_SCANCODE_HELP, 47},
    {SDL_SCANCODE_0, 48},
    {SDL_SCANCODE_1, 49},
    {SDL_SCANCODE_2, 50},
    {SDL_SCANCODE_3, 51},
    {SDL_SCANCODE_4, 52},
    {SDL_SCANCODE_5, 53},
    {SDL_SCANCODE_6, 54},
    {SDL_SCANCODE_7, 55},
    {SDL_SCANCODE_8, 56},
    {SDL_SCANCODE_9, 57},
    {SDL_SCANCODE_LGUI, 91},
    {SDL_SCANCODE_RGUI, 92},
    {SDL_SCANCODE_APPLICATION, 93},
    {SDL_SCANCODE_KP_0, 96},
    {SDL_SCANCODE_KP_1, 97},
    {SDL_SCANCODE_KP_2, 98},
    {SDL_SCANCODE_KP_3, 99},
    {SDL_SCANCODE_KP_4, 100},
    {SDL_SCANCODE_KP_5, 101},
    {SDL_SCANCODE_KP_6, 102},
    {SDL_SCANCODE_KP_7, 103},
    {SDL_SCANCODE_KP_8, 104},
    {SDL_SCANCODE_KP_9, 105},
    {SDL_SCANCODE_KP_MULTIPLY, 106},
    {SDL_SCANCODE_KP_PLUS, 107},
    {SDL_SCANCODE_KP_MINUS, 109},
    {SDL_SCANCODE_KP_PERIOD, 110},
    {SDL_SCANCODE_KP_DIVIDE, 111},
    {SDL_SCANCODE_F1, 112},
    {SDL_SCANCODE_F2, 113},
    {SDL_SCANCODE_F3, 114},
    {SDL_SCANCODE_F4, 115},
    {SDL_SCANCODE_F5, 116},
    {SDL_SCANCODE_F6, 117},
    {SDL_SCANCODE_F7, 118},
    {SDL_SCANCODE_F8, 119},
    {SDL_SCANCODE_F9, 120},
    {SDL_SCANCODE_F10, 121},
    {SDL_SCANCODE_F11, 122},
    {SDL_SCANCODE_F12, 123},
    {SDL_SCANCODE_F13, 124},
    {SDL_SCANCODE_F14, 125},
    {SDL_SCANCODE_F15, 126},
    {SDL_SCANCODE_F16, 127},
    {SDL_SCANCODE_F17, 128},
    {SDL_SCANCODE_F18, 129},
    {SDL_SCANCODE_F19, 130},
    {SDL_SCANCODE_F20, 131},
    {SDL_SCANCODE_F21, 132},
    {SDL_SCANCODE_F22, 133},
    {SDL_SCANCODE_F23, 134},
    {SDL_SCANCODE_F24, 135},
    {SDL_SCANCODE_NUMLOCKCLEAR, 144},
    {SDL_SCANCODE_SCROLLLOCK, 145},
    {SDL_SCANCODE_LSHIFT, 160},
    {SDL_SCANCODE_RSHIFT, 161},
    {SDL_SCANCODE_LCTRL, 162},
    {SDL_SCANCODE_RCTRL, 163},
    {SDL_SCANCODE_LALT, 164},
    {SDL_SCANCODE_RALT, 165},
    {SDL_SCANCODE_MUTE, 173},
    {SDL_SCANCODE_AUDIOMUTE, 173},
    {SDL_SCANCODE_VOLUMEDOWN, 174},
    {SDL_SCANCODE_VOLUMEUP, 175},
    {SDL_SCANCODE_AUDIONEXT, 176},
    {SDL_SCANCODE_AUDIOPREV, 177},
    {SDL_SCANCODE_AUDIOSTOP, 178},
    {SDL_SCANCODE_AUDIOPLAY, 179},
    {SDL_SCANCODE_SEMICOLON, 186},
    {SDL_SCANCODE_EQUALS, 187},
    {SDL_SCANCODE_COMMA, 188},
    {SDL_SCANCODE_MINUS, 189},
    {SDL_SCANCODE_PERIOD, 190},
    {SDL_SCANCODE_SLASH, 191},
    {SDL_SCANCODE_APOSTROPHE, 192},
    {SDL_SCANCODE_LEFTBRACKET, 219},
    {SDL_SCANCODE_BACKSLASH, 220},
    {SDL_SCANCODE_RIGHTBRACKET, 221},
    {SDL_SCANCODE_NONUSHASH, 222},
    {SDL_SCANCODE_GRAVE, 223},
    {SDL_SCANCODE_NONUSBACKSLASH, 226},
};

struct InputState {
    std::array<bool, 256> held{};
    std::array<int, 256> hits{};
    std::array<bool, 4> mouseHeld{};
    std::array<int, 4> mouseHits{};
    std::deque<int> typed;
    int mouseX = 0, mouseY = 0; // window pixels
    Uint32 windowId = 0;        // the last window an event named
    bool closeRequested = false;
    bool pointerShown = true;
};

InputState State;
bool EverRead = false;
int LastReadMs = 0;
long LastReadPresents = 0;

// Letters A..Z follow each other in both numberings; the table above holds every other key.
int CodeOf(SDL_Scancode scancode) {
    if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z) return 65 + (scancode - SDL_SCANCODE_A);
    for (const KeyCode& key : KeyTable)
        if (key.scancode == scancode) return key.code;
    return 0;
}

// SDL numbers the buttons left, middle, right; we number them left, right, middle.
int ButtonOf(Uint8 sdlButton) {
    switch (sdlButton) {
    case SDL_BUTTON_LEFT:
        return 1;
    case SDL_BUTTON_RIGHT:
        return 2;
    case SDL_BUTTON_MIDDLE:
        return 3;
    default:
        return 0;
    }
}

void Count(int& counter) {
    if (counter < 1000000) counter++;
}

// Decodes UTF-8 text input; malformed bytes count as one character each and become '?'.
void QueueTyped(const char* text) {
    const auto* p = reinterpret_cast<const unsigned char*>(text);
    while (*p != 0) {
        unsigned lead = *p++;
        int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
        unsigned code = extra == 3   ? lead & 0x07u
                        : extra == 2 ? lead & 0x0Fu
                        : extra == 1 ? lead & 0x1Fu
                                     : lead;
        bool bad = (lead >= 0x80 && lead < 0xC0) || lead >= 0xF8;
        for (int i = 0; i < extra && !bad; i++) {
            if ((*p & 0xC0u) != 0x80u) {
                bad = true;
                break;
            }
            code = (code << 6) | (*p++ & 0x3Fu);
        }
        if (bad || code > 255) code = '?';
        if (code >= 32) State.typed.push_back(static_cast<int>(code));
    }
}

void ReleaseEverything() {
    State.held.fill(false);
    State.mouseHeld.fill(false);
}

void NoteWindow(Uint32 windowId) {
    if (windowId != 0) State.windowId = windowId;
}

void Handle(const SDL_Event& event) {
    switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
        NoteWindow(event.key.windowID);
        int code = CodeOf(event.key.keysym.scancode);
        if (code <= 0 || code > 255) break;
        bool down = event.type == SDL_KEYDOWN;
        if (down && !State.held[code]) Count(State.hits[code]);
        State.held[code] = down;
        break;
    }
    case SDL_TEXTINPUT:
        NoteWindow(event.text.windowID);
        QueueTyped(event.text.text);
        break;
    case SDL_MOUSEMOTION:
        NoteWindow(event.motion.windowID);
        State.mouseX = event.motion.x;
        State.mouseY = event.motion.y;
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
        NoteWindow(event.button.windowID); // SDL reports a move first, so the position is known
        int button = ButtonOf(event.button.button);
        if (button == 0) break;
        bool down = event.type == SDL_MOUSEBUTTONDOWN;
        if (down && !State.mouseHeld[button]) Count(State.mouseHits[button]);
        State.mouseHeld[button] = down;
        break;
    }
    case SDL_WINDOWEVENT:
        NoteWindow(event.window.windowID);
        if (event.window.event == SDL_WINDOWEVENT_CLOSE) State.closeRequested = true;
        // Releases that happen while another window has the focus never reach us.
        if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST) ReleaseEverything();
        break;
    case SDL_QUIT:
        State.closeRequested = true;
        break;
    default:
        break;
    }
}

// The joystick subsystem brings the event subsystem with it. Checked on every read, because a display
// that shuts SDL down takes both with it.
bool InputReady() {
    const Uint32 wanted = SDL_INIT_EVENTS | SDL_INIT_JOYSTICK;
    if (SDL_WasInit(wanted) == wanted) return true;
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    if (SDL_InitSubSystem(wanted) == 0) return true;
    return SDL_WasInit(SDL_INIT_EVENTS) != 0 || SDL_InitSubSystem(SDL_INIT_EVENTS) == 0;
}

void ReadEvents(bool force) {
    bool queued = ScriptQueuedSinceDelivery();
    int now = Millis();
    long presents = PresentCount();
    if (!force && !queued && EverRead && now == LastReadMs && presents == LastReadPresents) return;
    EverRead = true;
    LastReadMs = now;
    LastReadPresents = presents;
    if (!InputReady()) return;
    DeliverDueScriptEvents();
    SDL_Event event;
    while (SDL_PollEvent(&event) == 1) Handle(event);
}

bool ValidKey(int code) {
    return code >= 0 && code <= 255;
}
bool ValidButton(int button) {
    return button >= 1 && button <= 3;
}

// The window to warp the pointer in: the one that has the mouse or keyboard focus, else the last
// one an event came from.
SDL_Window* PointerWindow() {
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0) return nullptr;
    if (SDL_Window* window = SDL_GetMouseFocus()) return window;
    if (SDL_Window* window = SDL_GetKeyboardFocus()) return window;
    return State.windowId != 0 ? SDL_GetWindowFromID(State.windowId) : nullptr;
}

} // namespace

void PollInput() {
    ReadEvents(true);
}
void PumpInput() {
    ReadEvents(false);
}

bool KeyDown(int code) {
    PumpInput();
    return code >= 4 && ValidKey(code) && State.held[static_cast<size_t>(code)];
}

int KeyHit(int code) {
    PumpInput();
    if (!ValidKey(code) || code < 4) return 0;
    int hits = State.hits[static_cast<size_t>(code)];
    State.hits[static_cast<size_t>(code)] = 0;
    return hits;
}

void FlushKeys() {
    PumpInput();
    State.hits.fill(0);
    State.mouseHits.fill(0);
    State.typed.clear();
}

int TypedChar() {
    PumpInput();
    if (State.typed.empty()) return 0;
    int code = State.typed.front();
    State.typed.pop_front();
    return code;
}

bool MouseDown(int button) {
    PumpInput();
    return ValidButton(button) && State.mouseHeld[static_cast<size_t>(button)];
}

int MouseHit(int button) {
    PumpInput();
    if (!ValidButton(button)) return 0;
    int hits = State.mouseHits[static_cast<size_t>(button)];
    State.mouseHits[static_cast<size_t>(button)] = 0;
    return hits;
}

float MouseX() {
    PumpInput();
    float x = 0, y = 0;
    WindowToArea(static_cast<float>(State.mouseX), static_cast<float>(State.mouseY), x, y);
    return x;
}

float MouseY() {
    PumpInput();
    float x = 0, y = 0;
    WindowToArea(static_cast<float>(State.mouseX), static_cast<float>(State.mouseY), x, y);
    return y;
}

int MouseWindowX() {
    PumpInput();
    return State.mouseX;
}

int MouseWindowY() {
    PumpInput();
    return State.mouseY;
}

void MoveMouse(float x, float y) {
    float wx = 0, wy = 0;
    AreaToWindow(x, y, wx, wy);
    // The position is ours at once; the motion event the warp may cause says the same.
    State.mouseX = static_cast<int>(SDL_lroundf(wx));
    State.mouseY = static_cast<int>(SDL_lroundf(wy));
    if (SDL_Window* window = PointerWindow()) SDL_WarpMouseInWindow(window, State.mouseX, State.mouseY);
}

void ShowPointer(bool show) {
    State.pointerShown = show;
    if (SDL_WasInit(SDL_INIT_VIDEO) != 0) SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE);
}

bool PointerShown() {
    return State.pointerShown;
}

bool CloseRequested() {
    PumpInput();
    return State.closeRequested;
}

void ResetInput() {
    ClearScript();
    DetachTestJoysticks();
    if (SDL_WasInit(SDL_INIT_EVENTS) != 0) SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    State = InputState{};
    EverRead = false;
}

int VirtualKeyOfScancode(int scancode) {
    if (scancode <= SDL_SCANCODE_UNKNOWN || scancode >= SDL_NUM_SCANCODES) return 0;
    return CodeOf(static_cast<SDL_Scancode>(scancode));
}

int ScancodeOfVirtualKey(int code) {
    if (code >= 65 && code <= 90) return SDL_SCANCODE_A + (code - 65);
    for (const KeyCode& key : KeyTable)
        if (key.code == code) return key.scancode;
    return SDL_SCANCODE_UNKNOWN;
}

} // namespace glimmet
