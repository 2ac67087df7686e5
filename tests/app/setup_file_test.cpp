#include <gtest/gtest.h>

#include "app/debug_log.h"
#include "app/setup_file.h"
#include "base/state.h"
#include "input/controls.h"
#include "platform/files.h"
#include "support/temp_dir.h"

namespace glimmet {
namespace {

using test::ReadBytes;
using test::WriteBytes;

// A run folder with Files/291, defaults in place and the log open in Files/.
class SetupFile : public testing::Test {
  protected:
    void SetUp() override {
        test::MakeFolder("Files/291");
        ChangeDir("Files");
        SetDefaultSettings();
        SetDefaultBindings();
        AudioDriverNames = {"pulseaudio", "alsa"};
        OpenLog();
    }
    void TearDown() override { CloseLog(); }

    void Load(const std::string& setupText) {
        WriteBytes("Setup.ini", setupText);
        LoadSetup();
    }
    std::vector<std::string> LogLines() { return *ReadTextLines("Debug.txt"); }

    test::TempDir dir;
};

TEST_F(SetupFile, ReadsLinesLeniently) {
    struct Case {
        std::string text;
        int slot, value;
    };
    const Case cases[] = {
        {"ESS=0", 7, 1},
        {"ESS", 7, 1},
        {"fullscreen = on", 1, 1},
        {"FULLSCREEN=TRUE", 1, 1},
        {"Fullscreen = False", 1, 0},
        {"Fullscreen = 1", 1, 0},
        {"Width = 1024 ; wide", 5, 1024},
        {"Width=-640", 5, 640},
        {"height=768", 6, 768},
        {"Height=abc", 6, 0},
        {"GFX Engine = DX9", 3, 1},
        {"gfxengine=dx7", 3, 2},
        {"GFX Engine = DX7\nGFX Engine = OpenGL", 3, 2},
        {"Master = 80", 11, 80},
        {"Sound=-30", 12, 30},
        {"MUSIC = 7 = 9", 13, 7},
        {"Width=1024\nWidth=1280", 5, 1280},
        {"[Graphics]\n; Width=5\n\nnonsense", 5, 800},
    };
    for (const Case& c : cases) {
        SetDefaultSettings();
        Load(c.text);
        EXPECT_EQ(Setting[static_cast<size_t>(c.slot)], c.value) << c.text;
    }
}

TEST_F(SetupFile, ReadsBindings) {
    Load("Key=0,87\nKey=100,65\nKey=99,301\nKey=-5,66\nKey=7");
    EXPECT_EQ(KeyBind[0], 87);
    EXPECT_EQ(KeyBind[99], 301);
    EXPECT_EQ(KeyBind[5], 66); // numbers are made non-negative, the slot too
    EXPECT_EQ(KeyBind[100], 0);
    EXPECT_EQ(KeyBind[7], 7); // "Key=7" has no comma: the whole value is field 1 and field 2
}

TEST_F(SetupFile, LogsWhatItRead) {
    Load("GFX Engine = DX9\r\nGFX Engine = DX7\r\nFullscreen = On\r\nESS=1\r\nWidth=1024\r\nHeight=768\r\n");
    EXPECT_EQ(Setting[SettingBackend], 2);
    const std::vector<std::string> expected = {"\tReading Setup File",
                                               "\tDirectX 9 Mode",
                                               "\tDirectX 7 Mode",
                                               "\tSetting to Fullscreen",
                                               "\tAssuming Emergency Slow System values.",
                                               "Setting Audio Driver",
                                               "Set Audio Driver",
                                               "",
                                               "\tRequested Resolution : 1024x768",
                                               "\tSetup Loaded",
                                               ""};
    EXPECT_EQ(LogLines(), expected);
}

TEST_F(SetupFile, MissingFileKeepsDefaults) {
    LoadSetup();
    EXPECT_EQ(Setting[SettingWidth], 800);
    EXPECT_EQ(Setting[SettingHeight], 600);
    EXPECT_EQ(Setting[SettingMasterVolume], 50);
    EXPECT_EQ(KeyBind[BindSlot(10, 1)], 90);
    const std::vector<std::string> expected = {"Setting Audio Driver",
                                               "Set Audio Driver",
                                               "",
                                               "\tRequested Resolution : 800x600",
                                               "\tSetup Loaded",
                                               ""};
    EXPECT_EQ(LogLines(), expected);
}

TEST_F(SetupFile, ChoosesTheAudioDriver) {
    struct Case {
        std::vector<std::string> names;
        std::string text;
        int expected;
    };
    const Case cases[] = {
        {{"Foo", "DirectSound", "OpenAL Soft", "FreeAudio", "DirectX"}, "", 4}, // the last DIRECT...
        {{"alsa", "openal", "free"}, "", 1},                                    // else the first OPENAL/FREE
        {{"alsa", "FreeAudio", "OpenAL"}, "", 1},
        {{"pulseaudio", "alsa"}, "", 0},                            // else the first
        {{"DirectSound", "other"}, "AudioDriver = directsound", 0}, // names are case-sensitive
        {{"other", "DirectSound"},
         "AudioDriver = directsound",
         0}, // and a named driver stops the prefix choice
        {{"pulseaudio", "alsa"}, "AudioDriver = alsa", 1},
        {{}, "", 0},
        {{}, "AudioDriver = alsa", 0},
    };
    for (const Case& c : cases) {
        SetDefaultSettings();
        AudioDriverNames = c.names;
        Load(c.text);
        EXPECT_EQ(Setting[SettingAudioDriver], c.expected) << c.text;
    }
}

TEST_F(SetupFile, WritesTheFixedLayout) {
    ChangeDir("291");
    SaveSetup();
    EXPECT_EQ(CurrentDir(), dir.path() + "/Files/291");
    EXPECT_EQ(ReadBytes("../Setup.ini"),
              "[Graphics]\r\nFullscreen = False\r\nGFX Engine = OpenGL\r\nWidth=800\r\nHeight=600\r\n\r\n"
              "[Audio]\r\nMaster = 50\r\nSound = 50\r\nMusic = 50\r\nAudioDriver = pulseaudio\r\n"
              "; AudioDriver = pulseaudio\r\n; AudioDriver = alsa\r\n\r\n"
              "[Controls]\r\nKey=0,38\r\nKey=3,37\r\nKey=5,39\r\nKey=8,40\r\nKey=10,90\r\nKey=11,88\r\n"
              "Key=12,67\r\nKey=13,86\r\n");
}

TEST_F(SetupFile, RoundTripsEverySetting) {
    Setting[SettingFullscreen] = 1;
    Setting[SettingBackend] = 1;
    Setting[SettingWidth] = 1920;
    Setting[SettingHeight] = 1080;
    Setting[SettingFrameskip] = 1;
    Setting[SettingMasterVolume] = 0;
    Setting[SettingSoundVolume] = 100;
    Setting[SettingMusicVolume] = 35;
    Setting[SettingAudioDriver] = 1;
    KeyBind[0] = 87;
    KeyBind[45] = 333;
    KeyBind[99] = 255;
    const auto settings = Setting;
    const auto bindings = KeyBind;
    ChangeDir("291");
    SaveSetup();
    ChangeDir("..");
    SetDefaultSettings();
    SetDefaultBindings();
    LoadSetup();
    EXPECT_EQ(Setting, settings);
    EXPECT_EQ(KeyBind, bindings);
}

TEST_F(SetupFile, AnUnboundDefaultControlStaysUnbound) {
    KeyBind[BindSlot(11, 1)] = 0;
    ChangeDir("291");
    SaveSetup();
    auto lines = *ReadTextLines("../Setup.ini");
    EXPECT_NE(std::find(lines.begin(), lines.end(), "Key=11,0"), lines.end());
    EXPECT_EQ(std::find(lines.begin(), lines.end(), "Key=14,0"), lines.end()); // never bound: no line
    ChangeDir("..");
    SetDefaultBindings();
    LoadSetup();
    EXPECT_EQ(KeyBind[BindSlot(11, 1)], 0);
    EXPECT_EQ(KeyBind[BindSlot(10, 1)], 90);
}

TEST_F(SetupFile, OddValuesWriteSafely) {
    AudioDriverNames.clear();
    Setting[SettingAudioDriver] = 7; // no such driver
    Setting[SettingFullscreen] = 5;  // neither windowed nor fullscreen
    Setting[SettingBackend] = 9;     // no such back-end
    ChangeDir("291");
    SaveSetup();
    auto lines = *ReadTextLines("../Setup.ini");
    EXPECT_EQ(lines[1], "Width=800");
    EXPECT_NE(std::find(lines.begin(), lines.end(), "AudioDriver = "), lines.end());
}

TEST_F(SetupFile, FailedWriteKeepsTheOldFileAndLogs) {
    WriteBytes("Setup.ini", "Width=1024\r\n");
    test::MakeFolder("Setup.ini.tmp");
    ChangeDir("291");
    SaveSetup();
    EXPECT_EQ(ReadBytes("../Setup.ini"), "Width=1024\r\n");
    EXPECT_EQ(CurrentDir(), dir.path() + "/Files/291");
    ChangeDir("..");
    EXPECT_EQ(LogLines().back(), "\tSetup.ini could not be written");
}

} // namespace
} // namespace glimmet
