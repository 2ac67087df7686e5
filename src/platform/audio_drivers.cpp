#include "platform/audio_drivers.h"

#include <SDL.h>
#include <dlfcn.h>

#include <map>

#include "platform/audio.h"

namespace glimmet {

namespace {

std::string ChosenDriver;
std::map<std::string, bool> Playable; // what a driver's probe found, once per run

std::vector<std::string> BuiltDrivers() {
    std::vector<std::string> names;
    int count = SDL_GetNumAudioDrivers();
    for (int i = 0; i < count; i++) {
        const char* name = SDL_GetAudioDriver(i);
        if (name != nullptr) names.emplace_back(name);
    }
    return names;
}

// SDL_AUDIODRIVER holds one driver name or several separated by commas.
bool NamedBySdlAudioDriver(const std::string& name) {
    const char* asked = SDL_getenv("SDL_AUDIODRIVER");
    std::string list = asked != nullptr ? asked : "";
    size_t start = 0;
    while (start <= list.size()) {
        size_t comma = list.find(',', start);
        if (comma == std::string::npos) comma = list.size();
        if (list.compare(start, comma - start, name) == 0) return true;
        start = comma + 1;
    }
    return false;
}

// "disk" writes the mix into a file and "dummy" throws it away: nobody hears either, so they are
// offered only when SDL_AUDIODRIVER asks for them, as the tests do, and then without a trial.
bool HeardByNobody(const std::string& name) {
    return name == "disk" || name == "dummy";
}

bool CanPlay(const std::string& name) {
    auto known = Playable.find(name);
    if (known != Playable.end()) return known->second;
    bool audioRunning = SDL_GetCurrentAudioDriver() != nullptr;
    bool playable = DriverOpensOutput(name);
    if (!audioRunning) Playable[name] = playable; // while audio runs, nothing was really tried
    return playable;
}

} // namespace

std::vector<std::string> AudioDriverList() {
    std::vector<std::string> offered;
    for (const std::string& name : BuiltDrivers()) {
        if (HeardByNobody(name) ? NamedBySdlAudioDriver(name) : CanPlay(name)) offered.push_back(name);
    }
    return offered;
}

bool AudioDriverKnown(const std::string& name) {
    for (const std::string& known : BuiltDrivers())
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
