#include "platform/audio_drivers.h"

#include <SDL.h>
#include <dlfcn.h>

namespace glimmet {

namespace {
std::string ChosenDriver;
}

std::vector<std::string> AudioDriverList() {
    std::vector<std::string> names;
    int count = SDL_GetNumAudioDrivers();
    for (int i = 0; i < count; i++) {
        const char* name = SDL_GetAudioDriver(i);
        if (name != nullptr) names.emplace_back(name);
    }
    return names;
}

bool AudioDriverKnown(const std::string& name) {
    for (const std::string& known : AudioDriverList())
        if (known == name) return true;
    return false;
}

void SelectAudioDriver(const std::string& name) {
    ChosenDriver = name;
}

const std::string& SelectedAudioDriver() {
    return ChosenDriver;
}

bool OpenALPresent() {
    void* library = dlopen("libopenal.so.1", RTLD_LAZY | RTLD_LOCAL);
    if (library == nullptr) return false;
    dlclose(library);
    return true;
}

} // namespace glimmet
