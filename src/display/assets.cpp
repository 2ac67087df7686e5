#include "display/assets.h"

#include <string>

#include "app/debug_log.h"
#include "audio/music.h"
#include "audio/sound_effects.h"
#include "base/state.h"
#include "display/engine_test.h"
#include "display/graphics_mode.h"
#include "display/toolkit.h"
#include "platform/audio.h"
#include "platform/display.h"
#include "platform/files.h"
#include "platform/font.h"
#include "platform/image.h"
#include "scores/fields.h"
#include "scores/score_file.h"

namespace glimmet {

int IconsSmooth = 0, Icons = 0, FrameworkLogo = 0, SiteLogo = 0, BadgeImage = 0;
int TitleLogo = 0, MenuArtSmooth = 0, MenuArt = 0, TileSheet = 0, WallImage = 0;
int BadgeSound = 0;
std::array<int, 20> NamedFont{};
std::array<int, 100> FontSlot{};
int AssetsLoaded = 0;

void InitializeAssets() {
    NamedFont.fill(0);
    FontSlot.fill(0);
    AssetsLoaded = 0;
}

namespace {

constexpr int MaskedFiltered = ImageMasked | ImageFiltered;

int LoadFontAt(const std::string& file, double size) {
    return LoadFont(file, static_cast<int>(size), true);
}

void LoadFonts() {
    const double f1 = FirstFontFactor(DisplayW), f2 = SecondFontFactor(DisplayW);
    const std::string style1 = DisplayW > 800 ? "November.ttf" : "SVBasicManual.ttf";
    const std::string styleFiles[3] = {style1, "Blue Highway.ttf", "Acknowledge TT BRK.ttf"};
    struct Named {
        int style;
        double size;
    };
    const Named named[13] = {{1, 24 * f1}, {1, 16 * f2}, {1, 16 * f2}, {1, 20 * f1}, {2, 96 * f1},
                             {2, 72 * f1}, {2, 32 * f1}, {1, 32 * f1}, {1, 14 * f1}, {3, 112},
                             {3, 96},      {3, 32},      {3, 20}};
    for (int slot = 1; slot <= 13; slot++) {
        const Named& n = named[slot - 1];
        NamedFont[static_cast<size_t>(slot)] = LoadFontAt(styleFiles[n.style - 1], n.size);
    }
    const int sizes[9] = {8, 12, 18, 24, 32, 40, 52, 64, 96};
    for (int style = 1; style <= 3; style++)
        for (int code = 0; code <= 8; code++)
            FontSlot[static_cast<size_t>((style - 1) * 10 + code)] =
                LoadFontAt(styleFiles[style - 1], sizes[code] * f1);
}

// The first load shows the backdrop and plays the badge sound once while the rest loads.
void StartupSound() {
    BeginFrame(1);
    DrawBackdrop();
    if (ChanSlot[256] == 0) ChanSlot[256] = AllocateChannel();
    int channel = ChanSlot[256];
    if (channel != 0) {
        QueueSound(channel, BadgeSound);
        SetChannelVolume(channel, MixVolume(Setting[SettingSoundVolume], Setting[SettingMasterVolume], 1.0f));
        ResumeChannel(channel);
    }
    PresentFrame(false);
    AssetsLoaded = 1;
}

void LoadSoundEffects() {
    for (int n = 1; n <= 200; n++) {
        std::string file = Right("000" + std::to_string(n), 3) + ".wav";
        if (!FileExists(file)) continue;
        LogLine("\tSFX(" + std::to_string(n) + ")");
        FreeSound(SfxSound[static_cast<size_t>(n)]);
        SfxSound[static_cast<size_t>(n)] = LoadSound(file);
    }
}

} // namespace

double FirstFontFactor(int displayW) {
    if (displayW < 600) return 1.5;
    if (displayW < 900) return 1.2;
    return 1.0;
}

double SecondFontFactor(int displayW) {
    if (displayW < 600) return 2.0;
    if (displayW < 900) return 1.4;
    return 1.0;
}

void LoadCommonAssets() {
    // Come back to exactly this folder: a missing Common folder must not leave us elsewhere.
    const std::string gameFolder = CurrentDir();
    SetCentreHandles(true);
    LogLine("");
    LogLine("Loading : Common Objects");
    LogLine("");
    LogLine("Switching to Default Folder");
    LogLine("");
    ChangeDir("../");
    ChangeDir("Common/");
    LogLine("\tDefault Fonts");
    LoadFonts();
    LogLine("\tDefault Icons");
    IconsSmooth = LoadAnimImage("icons.png", 16, 16, 0, 64, MaskedFiltered);
    Icons = LoadAnimImage("icons.png", 16, 16, 0, 64, ImageMasked);
    LogLine("\tLogos");
    bool series = TitleLine1.find("Reelworks 50") != std::string::npos;
    FrameworkLogo = LoadImage(series ? "logo50.png" : "logo.png", MaskedFiltered);
    SiteLogo = LoadImage("Brindle.png", MaskedFiltered);
    LogLine("\tBadgeGet");
    FreeSound(BadgeSound);
    BadgeSound = LoadSound("badgeget.wav");
    if (AssetsLoaded == 0) StartupSound();
    LogLine("");
    LogLine("Switching to Game Folder");
    ChangeDir(gameFolder);
    BadgeImage = LoadAnimImage("badges.png", 64, 64, 0, 16, MaskedFiltered);
    LogLine("");
    LogLine("Loading Sound effects");
    LoadSoundEffects();
    LogLine("Sounds loaded");
    LogLine("");
    // The score list in memory is the truth once read: it holds the games of this run and has been
    // pruned, and the file is written only at shutdown. Reading the file again on a display change
    // would drop the new records and bring back the pruned ones.
    if (!ScoresLoaded) LoadScores();
}

void LoadGameAssets() {
    EngineTest(60, 2);
    LoadInstruments();
    TitleLogo = LoadImage("logo.png", MaskedFiltered);
    MenuArtSmooth = LoadAnimImage("menu.png", 64, 64, 0, 4, MaskedFiltered);
    MenuArt = LoadAnimImage("menu.png", 64, 64, 0, 4, ImageMasked);
    TileSheet = LoadAnimImage("gfx.png", 32, 32, 0, 100, MaskedFiltered);
    WallImage = LoadImage("wall.png", MaskedFiltered);
}

} // namespace glimmet
