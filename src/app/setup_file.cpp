// Setup.ini: the user's settings, one "key = value" per line, three sections.
//
//   [Graphics]                  Fullscreen = True|False, GFX Engine = OpenGL|DX9|DX7, Width=, Height=,
//                               ESS=1 ; (present only in the emergency slow system / frameskip mode)
//   [Audio]                     Master = , Sound = , Music = (percent), AudioDriver = name,
//                               then "; AudioDriver = name" comments listing the drivers offered
//   [Controls]                  Key=slot,code for every bound slot 0..99
//
// Reading is lenient: keys in any case, the value ends at a second "=", numbers read leniently and
// made non-negative, unknown and malformed lines skipped, later lines win. Section headers are not
// checked. Writing always produces the same fixed layout, through a temporary file renamed over the
// old one; a failed write leaves the old file and logs a line.

#include "app/setup_file.h"

#include "app/debug_log.h"
#include "base/state.h"
#include "input/controls.h"
#include "platform/audio_drivers.h"
#include "platform/files.h"
#include "scores/fields.h"

namespace glimmet {

namespace {

int ReadSetting(const std::string& value) {
    return AbsInt(ReadInt(value));
}

std::string DriverName(int index) {
    if (index < 0 || index >= static_cast<int>(AudioDriverNames.size())) return "";
    return AudioDriverNames[static_cast<size_t>(index)];
}

void ReadSetupLine(const std::string& line, bool& driverNamed) {
    std::string key = UpperCase(TrimBlanks(Field(line, "=", 1)));
    std::string value = TrimBlanks(Field(line, "=", 2));
    std::string upperValue = UpperCase(value);
    if (key == "AUDIODRIVER") {
        driverNamed = true;
        for (size_t i = 0; i < AudioDriverNames.size(); i++)
            if (AudioDriverNames[i] == value) Setting[SettingAudioDriver] = static_cast<int>(i);
    } else if (key == "FULLSCREEN") {
        if (upperValue == "TRUE" || upperValue == "ON") {
            Setting[SettingFullscreen] = 1;
            LogLine("\tSetting to Fullscreen");
        }
    } else if (key == "GFX ENGINE" || key == "GFXENGINE") {
        if (upperValue == "DX9") {
            Setting[SettingBackend] = 1;
            LogLine("\tDirectX 9 Mode");
        } else if (upperValue == "DX7") {
            Setting[SettingBackend] = 2;
            LogLine("\tDirectX 7 Mode");
        }
    } else if (key == "WIDTH") {
        Setting[SettingWidth] = ReadSetting(value);
    } else if (key == "HEIGHT") {
        Setting[SettingHeight] = ReadSetting(value);
    } else if (key == "ESS") {
        Setting[SettingFrameskip] = 1;
        LogLine("\tAssuming Emergency Slow System values.");
    } else if (key == "KEY") {
        int slot = ReadSetting(Field(value, ",", 1));
        int code = ReadSetting(Field(value, ",", 2));
        if (slot >= 0 && slot <= 99) KeyBind[static_cast<size_t>(slot)] = code;
    } else if (key == "MASTER") {
        Setting[SettingMasterVolume] = ReadSetting(value);
    } else if (key == "SOUND") {
        Setting[SettingSoundVolume] = ReadSetting(value);
    } else if (key == "MUSIC") {
        Setting[SettingMusicVolume] = ReadSetting(value);
    }
}

// Without an AudioDriver line: the last driver named DIRECT..., else the first OPENAL... or FREE...,
// else the first driver.
void ChooseDriverByPrefix() {
    int taken = -1;
    for (size_t i = 0; i < AudioDriverNames.size(); i++) {
        std::string name = UpperCase(AudioDriverNames[i]);
        bool first = taken < 0;
        if (Left(name, 6) == "OPENAL" && first)
            taken = static_cast<int>(i);
        else if (Left(name, 4) == "FREE" && first)
            taken = static_cast<int>(i);
        else if (Left(name, 6) == "DIRECT")
            taken = static_cast<int>(i);
    }
    Setting[SettingAudioDriver] = taken < 0 ? 0 : taken;
}

void ApplyAudioDriver() {
    std::string name = DriverName(Setting[SettingAudioDriver]);
    if (name.empty() || !AudioDriverKnown(name)) return;
    if (UpperCase(Left(name, 6)) != "OPENAL" || OpenALPresent()) SelectAudioDriver(name);
}

std::vector<std::string> SetupLines() {
    std::vector<std::string> lines{"[Graphics]"};
    if (Setting[SettingFullscreen] == 0) lines.push_back("Fullscreen = False");
    if (Setting[SettingFullscreen] == 1) lines.push_back("Fullscreen = True");
    static const char* const Engines[3] = {"OpenGL", "DX9", "DX7"};
    if (Setting[SettingBackend] >= 0 && Setting[SettingBackend] <= 2)
        lines.push_back(std::string("GFX Engine = ") + Engines[Setting[SettingBackend]]);
    lines.push_back("Width=" + std::to_string(Setting[SettingWidth]));
    lines.push_back("Height=" + std::to_string(Setting[SettingHeight]));
    if (Setting[SettingFrameskip] == 1)
        lines.push_back(
            "ESS=1 ; This is a slow system, and things must run a wee bit slower for it.  Awww..");
    lines.push_back("");
    lines.push_back("[Audio]");
    lines.push_back("Master = " + std::to_string(Setting[SettingMasterVolume]));
    lines.push_back("Sound = " + std::to_string(Setting[SettingSoundVolume]));
    lines.push_back("Music = " + std::to_string(Setting[SettingMusicVolume]));
    lines.push_back("AudioDriver = " + DriverName(Setting[SettingAudioDriver]));
    for (const std::string& name : AudioDriverNames) lines.push_back("; AudioDriver = " + name);
    lines.push_back("");
    lines.push_back("[Controls]");
    // A default control the player unbound is written as bound to 0, so the default does not come back.
    for (int slot = 0; slot <= 99; slot++)
        if (KeyBind[static_cast<size_t>(slot)] > 0 || DefaultBinding(slot) > 0)
            lines.push_back("Key=" + std::to_string(slot) + "," +
                            std::to_string(KeyBind[static_cast<size_t>(slot)]));
    return lines;
}

} // namespace

void LoadSetup() {
    bool driverNamed = false;
    if (auto lines = ReadTextLines("Setup.ini")) {
        LogLine("\tReading Setup File");
        for (const std::string& line : *lines) ReadSetupLine(line, driverNamed);
    }
    if (!driverNamed) ChooseDriverByPrefix();
    LogLine("Setting Audio Driver");
    ApplyAudioDriver();
    LogLine("Set Audio Driver");
    LogLine("");
    LogLine("\tRequested Resolution : " + std::to_string(Setting[SettingWidth]) + "x" +
            std::to_string(Setting[SettingHeight]));
    LogLine("\tSetup Loaded");
    LogLine("");
}

void SaveSetup() {
    // The file goes to the Files folder the program started from (one step up from the game folder),
    // and we come back to exactly the folder we left.
    std::string here = CurrentDir();
    EnterFilesFolder();
    if (!WriteTextFile("Setup.ini", SetupLines())) LogLine("\tSetup.ini could not be written");
    ChangeDir(here);
}

} // namespace glimmet
