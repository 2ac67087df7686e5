#include "platform/joystick.h"

#include <SDL.h>

#include <algorithm>
#include <vector>

#include "platform/input.h"

namespace glimmet {

namespace {

// The sticks this layer has opened, by SDL instance id. Handles are looked up again on every use,
// so a stick that was unplugged, or an SDL shut down and restarted, never leaves a stale pointer.
std::vector<SDL_JoystickID> OurSticks;

void ForgetDetached() {
    std::erase_if(OurSticks, [](SDL_JoystickID id) {
        SDL_Joystick* stick = SDL_JoystickFromInstanceID(id);
        if (stick == nullptr) return true;
        if (SDL_JoystickGetAttached(stick)) return false;
        SDL_JoystickClose(stick);
        return true;
    });
}

SDL_Joystick* Stick(int port) {
    PumpInput(); // also starts the joystick subsystem
    if (SDL_WasInit(SDL_INIT_JOYSTICK) == 0) return nullptr;
    ForgetDetached();
    if (port < 0 || port >= SDL_NumJoysticks()) return nullptr;
    SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(port);
    if (std::find(OurSticks.begin(), OurSticks.end(), id) != OurSticks.end())
        return SDL_JoystickFromInstanceID(id);
    SDL_Joystick* stick = SDL_JoystickOpen(port);
    if (stick != nullptr) OurSticks.push_back(SDL_JoystickInstanceID(stick));
    return stick;
}

} // namespace

int JoystickCount() {
    PumpInput();
    if (SDL_WasInit(SDL_INIT_JOYSTICK) == 0) return 0;
    return std::max(0, SDL_NumJoysticks());
}

std::string JoystickName(int port) {
    SDL_Joystick* stick = Stick(port);
    const char* name = stick != nullptr ? SDL_JoystickName(stick) : nullptr;
    return name != nullptr ? name : "";
}

int JoystickButtonMask(int port) {
    SDL_Joystick* stick = Stick(port);
    if (stick == nullptr) return 0;
    int buttons = std::clamp(SDL_JoystickNumButtons(stick), 0, 31);
    return static_cast<int>((1u << buttons) - 1u);
}

double JoystickAxis(int port, int axis) {
    SDL_Joystick* stick = Stick(port);
    if (stick == nullptr || axis < 0 || axis >= SDL_JoystickNumAxes(stick)) return 0.0;
    return std::clamp(SDL_JoystickGetAxis(stick, axis) / 32767.0, -1.0, 1.0);
}

double JoystickHat(int port) {
    SDL_Joystick* stick = Stick(port);
    if (stick == nullptr || SDL_JoystickNumHats(stick) < 1) return 0.0;
    switch (SDL_JoystickGetHat(stick, 0)) {
    case SDL_HAT_UP:
        return 0.0;
    case SDL_HAT_RIGHTUP:
        return 0.125;
    case SDL_HAT_RIGHT:
        return 0.25;
    case SDL_HAT_RIGHTDOWN:
        return 0.375;
    case SDL_HAT_DOWN:
        return 0.5;
    case SDL_HAT_LEFTDOWN:
        return 0.625;
    case SDL_HAT_LEFT:
        return 0.75;
    case SDL_HAT_LEFTUP:
        return 0.875;
    default:
        return -1.0; // centred, or an impossible mix such as up and down at once
    }
}

bool JoystickButton(int port, int button) {
    SDL_Joystick* stick = Stick(port);
    if (stick == nullptr || button < 0 || button >= SDL_JoystickNumButtons(stick)) return false;
    return SDL_JoystickGetButton(stick, button) == SDL_PRESSED;
}

} // namespace glimmet
