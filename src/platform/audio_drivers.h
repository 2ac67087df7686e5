#pragma once
// The audio drivers the platform offers, by name, and which one the audio device will use.

#include <string>
#include <vector>

namespace glimmet {

std::vector<std::string> AudioDriverList();      // SDL's driver names, in SDL's order
bool AudioDriverKnown(const std::string& name);  // exact, case-sensitive
void SelectAudioDriver(const std::string& name); // empty: SDL's own default
const std::string& SelectedAudioDriver();
bool OpenALPresent(); // whether an OpenAL runtime library can be loaded

} // namespace glimmet
