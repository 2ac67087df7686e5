#pragma once
// The audio drivers the platform offers, by name, and which one the audio device will use.

#include <string>
#include <vector>

namespace glimmet {

// SDL's names of the drivers that can open an output on this machine, in SDL's order. "disk" and
// "dummy", which nobody hears, only when SDL_AUDIODRIVER names them. Each driver is tried once a run.
std::vector<std::string> AudioDriverList();
bool AudioDriverKnown(const std::string& name);  // one SDL was built with; exact, case-sensitive
void SelectAudioDriver(const std::string& name); // empty: SDL's own default
const std::string& SelectedAudioDriver();
bool OpenALPresent(); // whether an OpenAL runtime library can be loaded

} // namespace glimmet
