#include "app/title_screen.h"

#include "app/online_page.h"
#include "audio/sound_effects.h"
#include "base/state.h"
#include "display/assets.h"
#include "display/frame.h"
#include "display/graphics_mode.h"
#include "display/toolkit.h"
#include "game/game_loop.h"
#include "input/controls.h"
#include "input/settings_panel.h"
#include "online/score_protocol.h"
#include "platform/audio.h"
#include "platform/clock.h"
#include "platform/draw.h"
#include "platform/font.h"
#include "platform/image.h"
#include "platform/input.h"
#include "platform/keys.h"
#include "scores/hiscore_tables.h"

namespace glimmet {

std::array<std::string, 100> AboutLines;
int AboutCount = 0;
int LoginFocus = 0;
int OnlinePageOffered = OnlineEnabled;

void (*GameToPlay)() = PlayGame;

void InitializeTitleScreen() {
    FillAboutLines();
    LoginFocus = 0;
    OnlinePageOffered = OnlineEnabled;
    GameToPlay = PlayGame;
}

void FillAboutLines() {
    static const char* const Lines[] = {
        "Flonder's Glimmet", // 1, 2: who made it
        "made by the Glimmet team",
        "",
        "-=-=--=-=-=-=-=-=-=-=-",
        "Instructions",
        "",
        "Run around the arena,",
        "grabbing all the glimmet.",
        "",
        "Don't touch the Spikey things!",
        "-=-=--=-=-=-=-=-=-=-=-",
        "",
        "Credits",
        "",
        "Game",
        "C++20, SDL2, FreeType,", // 16, 17: the tools
        "libpng and zlib",
        "",
        "Graphics",
        "DejaVu Sans, DejaVu (Vera)", // 20..23: the fonts
        "Roboto Cond., Google (Apache)",
        "League Spartan, M. Rich (OFL)",
        "Sixtyfour, J. Kutilek (OFL)",
        "Pictures: drawn by our tools", // 24: the other graphics
        "",
        "Sounds: synthesised by us", // 26: music and sounds
        "",
        "Additional Sound Effects",
        "created using",
        "our own synthesiser,", // 30, 31: the sound-effect tool
        "tools/make_sounds",
    };
    AboutLines.fill("");
    AboutCount = 1;
    for (const char* line : Lines) {
        if (AboutCount > 31) break;
        AboutLines[static_cast<size_t>(AboutCount)] = line;
        AboutCount++;
    }
}

namespace {

// The title screen's state across frames.
struct TitleState {
    int page = 0;  // 0 hiscores, 1 online, 2 about
    int slide = 0; // 0..32: the slide-in of everything after entry and after each game
    int tabLatch = 0;
    int startHeld = 0;
    int startLatch = 0;
    int escapeLatch = 0;
};

// Positions that follow the slide-in, recomputed every frame.
struct Layout {
    int w = 0;    // panel width
    int x = 0;    // panel left edge
    int cx = 0;   // panel centre
    int sx = 0;   // centre of the stage left of the panel
    int lift = 0; // how far the stage items still have to rise
};

Layout LayoutFor(int slide) {
    Layout l;
    l.w = DisplayW >= 900 ? 335 : 415;
    l.x = ScreenW - (l.w + 5) - 25 * slide + 800;
    l.cx = l.x + l.w / 2;
    l.sx = (ScreenW - l.w) / 2;
    l.lift = 800 - 25 * slide;
    return l;
}

void DrawArtLayer(int frame, int scale, double x, double y) {
    SetScl(static_cast<float>(scale));
    SetCol(255, 255, 255, 1);
    DrawImg(MenuArt, static_cast<int>(x), static_cast<int>(y), frame, 1);
    SetCol(255, 255, 255, 0.4f);
    DrawImg(MenuArtSmooth, static_cast<int>(x), static_cast<int>(y), frame, 1);
}

// Three layers of large art that drift against the mouse and slide in from above and below.
void DrawDecorativeArt(int slide) {
    double mx = ScreenW - MouseWindowX();
    double my = ScreenH - MouseWindowY();
    double r = 32 - slide;
    const double W = ScreenW, H = ScreenH;
    DrawArtLayer(0, 24, mx / 256 + W / 2 - 32 * 24, my / 150 + H / 2 - 32 * 24 - 50 * r);
    DrawArtLayer(1, 14, 0, my / 20 + H / 2 - 28 * 14 + 50 * r);
    DrawArtLayer(2, 14, mx / 100 + W / 2 - 38 * 14, my / 50 + H - 72 * 14 + 64 * r);
}

bool HeldAny(std::initializer_list<int> keys) {
    for (int key : keys)
        if (KeyDown(key)) return true;
    return false;
}

void DrawPanel(const TitleState& t, const Layout& l) {
    SetCol(0, 0, 0, 0.5f);
    DrawRect(static_cast<float>(l.x), 5, static_cast<float>(l.w), static_cast<float>(ScreenH - 10));
    SetCol(255, 255, 255, 0.3f);
    DrawRect(static_cast<float>(l.x), 5, static_cast<float>(l.w), 35);
    UseFont(1, 2);
    const char* const labels[3] = {"1.Hiscore", "2.Online", "3.About"};
    const double at[3] = {0.2, 0.5, 0.8};
    for (int page = 0; page < 3; page++) {
        if (page == 1 && OnlinePageOffered == 0) continue;
        float shade = page == t.page ? 255.0f : 0.0f;
        SetCol(shade, shade, shade, 1);
        DrawTxt(l.x + static_cast<int>(at[page] * l.w), 23, labels[page], 1, 1);
    }
}

// Keys 1..3, F1..F3 or a click on a label choose a page, once per press.
void PageKeys(TitleState& t, const Layout& l) {
    if (LoginFocus != 0) return;
    auto area = [&](double from) {
        return MouseDown(1) &&
               MouseOver(l.x + static_cast<int>(from * l.w), 5, static_cast<int>(0.3 * l.w), 50);
    };
    int choice = -1;
    if (HeldAny({KeyDigit1, KeyF1}) || area(0)) choice = 0;
    if (OnlinePageOffered == 1 && (HeldAny({KeyDigit2, KeyF2}) || area(0.33))) choice = 1;
    if (HeldAny({KeyDigit3, KeyF3}) || area(0.66)) choice = 2;
    if (choice < 0 || t.tabLatch != 0) return;
    t.page = choice;
    PlaySfx(98, 2, 1, 0);
    t.tabLatch = 1;
}

void DrawPageTitle(const TitleState& t, const Layout& l) {
    SetCol(255, 255, 255);
    UseFont(1, 7);
    if (t.page == 0) {
        DrawTxt(l.cx, 50, "Hiscores", 1, 0);
        BackTintTarget = {0.2f, 0.0f, 1.0f};
    } else if (t.page == 1) {
        DrawTxt(l.cx, 50, "Online", 1, 0);
        BackTintTarget = {0.0f, 1.0f, 0.2f};
        OnlinePageBody(l.x, l.w);
    }
}

void DrawAboutPage(const TitleState& t, const Layout& l) {
    if (t.page != 2) return;
    SetCol(255, 255, 255);
    UseFont(1, 7);
    DrawTxt(l.cx, 50, "About", 1, 0);
    UseFont(1, 2);
    BackTintTarget = {0.0f, 0.2f, 1.0f};
    for (int k = 1; k <= AboutCount && k < static_cast<int>(AboutLines.size()); k++)
        DrawTxt(l.cx, 95 + 20 * k, AboutLines[static_cast<size_t>(k)], 1, 0);
}

void DrawSettingsHint() {
    ResetDraw();
    SetCol(255, 255, 255);
    bool small = DisplayW < 900;
    UseFont(2, small ? 4 : 3);
    if (Setting[SettingWidth] == 800 && Millis() % 800 < 400) SetCol(255, 255, 0);
    DrawTxt(4, 4, "Hit [Tab] for settings", 0, 0);
    SetCol(180, 255, 180);
    UseFont(2, small ? 3 : 2);
    DrawTxt(4, 35, "Redefine Controls", 0, 0);
    DrawTxt(4, 55, "Audio Options", 0, 0);
    DrawTxt(4, 75, "and Hi-Def gaming!", 0, 0);
}

bool StartInputHeld() {
    static const int StartControls[] = {ButtonLower, ButtonRight, ButtonLeft, ButtonUpper, PadUp, PadDown};
    for (int player = 1; player <= 4; player++)
        for (int control : StartControls)
            if (ControlDown(control, player)) return true;
    return KeyDown(KeyReturn);
}

bool MayStart(const TitleState& t) {
    return t.startHeld == 1 && t.startLatch == 0 && PanelY < -250 && LoginFocus == 0;
}

// After a game: nothing quits or starts until the inputs that ended it are released, and everything
// slides in again.
void AfterGame(TitleState& t) {
    t.escapeLatch = 1;
    t.startLatch = 1;
    t.slide = 0;
    GraphScroll = 0;
    SelectedMark = 0;
}

void StartPrompt(TitleState& t, const Layout& l) {
    if (MouseMode == 0) {
        SetCol(255, 255, 255);
        SetFont(NamedFont[7]);
        DrawTxt(l.sx, ScreenH / 2 + l.lift, "Press Start (" + KeyName(KeyBind[ButtonLower]) + ") To Begin", 1,
                1);
        if (MayStart(t)) {
            StartGame();
            AfterGame(t);
        }
        t.startHeld = StartInputHeld() ? 1 : 0;
    } else {
        SetCol(255, 150, 150);
        if (MouseOver(l.sx - 200, ScreenH / 2 + l.lift - 40, 400, 80)) {
            SetCol(255, 255, 255);
            if (MayStart(t)) {
                StartGame();
                AfterGame(t);
            }
        }
        SetFont(NamedFont[7]);
        DrawTxt(l.sx, ScreenH / 2 + l.lift, "Click Here to Start", 1, 1);
        t.startHeld = MouseDown(1) ? 1 : 0;
    }
    if (t.startHeld == 0) t.startLatch = 0;
}

// The one game mode: clicking its label or pressing up or down only plays the sound.
void ModeLabel(TitleState& t, const Layout& l) {
    UseFont(2, 6);
    SetCol(255, 0, 0, CurrentMode == 0 ? 1.0f : 0.5f);
    int y = ScreenH / 2 + 200 - l.lift;
    DrawTxt(l.sx - 100, y, "Glimmet GETS!", 0, 0);
    if (MouseDown(1) && MouseOver(l.sx - 100, y, 200, 40) && t.tabLatch == 0) {
        CurrentMode = 0;
        PlaySfx(98, 1, 1, 0);
        t.tabLatch = 1;
    }
}

void ModeKeys(TitleState& t) {
    if (t.startLatch != 0 || LoginFocus != 0) return;
    if (ControlDown(PadUp, 1) || ControlDown(PadUp, 2)) {
        t.startLatch = 1;
        CurrentMode -= 1;
        PlaySfx(98, 0.95f, 1, 0);
        if (CurrentMode == -1) CurrentMode = 0;
    }
    if (t.startLatch == 0 && (ControlDown(PadDown, 1) || ControlDown(PadDown, 2))) {
        t.startLatch = 1;
        CurrentMode += 1;
        PlaySfx(98, 1.05f, 1, 0);
        if (CurrentMode == 1) CurrentMode = 0;
    }
}

void DrawLogo(const Layout& l) {
    SetCol(255, 255, 255);
    DrawImage(TitleLogo, static_cast<float>(l.sx),
              static_cast<float>(ScreenH / 2 - ImageHeight(TitleLogo) / 2 + l.lift), 0);
}

// One frame of the title screen; returns true when Escape leaves it.
bool TitleFrame(TitleState& t) {
    BeginFrame(1);
    ResetDraw();
    DrawBackdrop();
    DrawDecorativeArt(t.slide);
    ResetDraw();
    CleanCredentials();
    if (t.slide < 32) t.slide++;
    Layout l = LayoutFor(t.slide);
    DrawPanel(t, l);
    PageKeys(t, l);
    SetCol(255, 255, 255);
    DrawLocalTable(l.x, l.w, CurrentMode, CurrentLevel, CurrentFlags, t.page == 0 ? 1 : 0);
    const int focusBefore = LoginFocus;
    DrawPageTitle(t, l);
    // An Enter that leaves a login field, or a key typed into one, starts no game: released first.
    if (focusBefore != 0 || LoginFocus != 0) t.startLatch = 1;
    OnlineTableStep(l.x, l.w, t.page == 1);
    OnlineRefreshStart();
    DrawAboutPage(t, l);
    DrawSettingsHint();
    StartPrompt(t, l);
    ModeLabel(t, l);
    ModeKeys(t);
    if (!MouseDown(1) && !HeldAny({KeyDigit1, KeyDigit2, KeyDigit3, KeyF1, KeyF2, KeyF3})) t.tabLatch = 0;
    DrawLogo(l);
    ShowFrame(1);
    if (!KeyDown(KeyEscape)) t.escapeLatch = 0;
    return t.escapeLatch == 0 && KeyDown(KeyEscape);
}

} // namespace

void StartGame() {
    PlaySfx(98, 1.5f, 1, 0);
    if (ChanSlot[1] != 0 && ChannelPlaying(ChanSlot[1])) {
        StopChannel(ChanSlot[1]);
        ChanSlot[1] = 0;
    }
    PlayState = 1;
    if (MouseMode == 0) MoveMouse(static_cast<float>(ScreenW), static_cast<float>(ScreenH));
    GameStartTime = Millis();
    GameToPlay();
    PlayState = 0;
}

void TitleScreen() {
    TitleState t;
    while (!TitleFrame(t)) {}
}

} // namespace glimmet
