#include "input/settings_panel.h"

#include <algorithm>

#include "app/setup_file.h"
#include "base/state.h"
#include "display/assets.h"
#include "display/frame.h"
#include "display/graphics_mode.h"
#include "display/toolkit.h"
#include "input/controls.h"
#include "platform/draw.h"
#include "platform/font.h"
#include "platform/input.h"
#include "platform/joystick.h"
#include "platform/keys.h"

namespace glimmet {

int PanelY = -300;
int ClickL = 0, ClickR = 0;

void InitializeSettingsPanel() {
    PanelY = -300;
    ClickL = ClickR = 0;
}

namespace {

constexpr int HiddenY = -300;
constexpr int SlideStep = 32;
constexpr int CellSize = 48;

// Icon frames of the panel.
constexpr int FrameKeyCap = 3;
constexpr int FrameHat = 8;
constexpr int FrameAxis = 9;
constexpr int FrameButton = 10;
constexpr int FrameResolution = 11; // + the widescreen flag
constexpr int FrameWindowed = 13;   // + the fullscreen flag
constexpr int FrameOption = 18;     // + the option chosen
constexpr int FrameSliderLeft = 21;
constexpr int FrameSliderRight = 22;
constexpr int FrameKnob = 23;
constexpr int FrameAudioDriver = 24; // + the driver index

constexpr int RightColumnWidth = 280;

void SetGreen() {
    SetCol(80, 255, 80, 1);
}

std::string FirstLine(const std::string& text) {
    return text.substr(0, text.find('|'));
}

// The text cut at the end until it is no wider than width in the current font.
std::string FitText(std::string text, int width) {
    while (!text.empty() && TextWidth(text) > width) text.pop_back();
    return text;
}

// The scale at which the text is no wider than width: 1 when it fits already. The small-display font
// is large for the panel's fixed places, and a long name would run into its neighbours.
float FitScale(const std::string& text, int width) {
    int measured = TextWidth(text);
    return measured > width ? static_cast<float>(width) / static_cast<float>(measured) : 1.0f;
}

// The text centred on (x, y), shrunk to width when it is wider; leaves the scale at 1.
void DrawCentredWithin(int x, int y, const std::string& text, int width) {
    float scale = FitScale(text, width);
    SetScl(scale);
    DrawTxt(x - static_cast<int>(static_cast<float>(TextWidth(text)) * scale / 2),
            y - static_cast<int>(static_cast<float>(TextHeight(text)) * scale / 2), text, 0, 0);
    SetScl(1);
}

void DrawBackground() {
    SetFont(NamedFont[2]);
    ResetDraw();
    SetBlendKind(2);
    SetCol(40, 40, 40, 0.8f);
    DrawRect(0, 0, static_cast<float>(ScreenW), static_cast<float>(PanelY + 300));
    SetBlendKind(1);
    SetCol(80, 80, 80, 0.4f);
    DrawRect(0, 0, static_cast<float>(ScreenW), static_cast<float>(PanelY + 298));
    SetCol(180, 255, 180, 1);
    DrawRect(0, static_cast<float>(PanelY + 298), static_cast<float>(ScreenW), 2);
}

// Steps the chosen display mode by one through the list ApplyGraphics built, wrapping at both ends; a
// stale index from a longer list lands on the end it stepped toward. An empty list changes nothing.
void StepMode(int step) {
    if (ModeCount < 1) return;
    int mode = Setting[SettingModeIndex] + step;
    if (mode > ModeCount) mode = step > 0 ? 1 : ModeCount;
    if (mode < 1) mode = ModeCount;
    Setting[SettingModeIndex] = mode;
    Setting[SettingWidth] = ModeW[static_cast<size_t>(mode)];
    Setting[SettingHeight] = ModeH[static_cast<size_t>(mode)];
}

void ResolutionRow() {
    bool over = DrawChoiceRow(SettingWidescreen, 20, 70, FrameResolution, {"Resolution"}) == 1;
    if (!over && !MouseOver(20, 70 + PanelY, 200, 70)) return;
    // Both keys of a direction are asked, so neither leaves a stale hit behind.
    bool right = KeyHit(KeyArrowRight) > 0;
    bool up = KeyHit(KeyArrowUp) > 0;
    if (right || up || ClickL > 0) StepMode(1);
    bool left = KeyHit(KeyArrowLeft) > 0;
    bool down = KeyHit(KeyArrowDown) > 0;
    if (left || down || ClickR > 0) StepMode(-1);
}

void ResolutionText() {
    SetScl(1);
    DrawTxt(20, 108 + PanelY,
            std::to_string(Setting[SettingWidth]) + "x" + std::to_string(Setting[SettingHeight]), 0, 0);
    int height = Setting[SettingHeight];
    if (height < 900) {
        SetCol(255, 180, 80);
        DrawTxt(80, 128 + PanelY, "Small (Bit blurry)", 0, 0);
    } else if (height > 960) {
        SetCol(180, 255, 80);
        DrawTxt(80, 128 + PanelY, "Bigger! (High-Definition!)", 0, 0);
    } else {
        SetCol(255, 255, 80);
        DrawTxt(80, 128 + PanelY, "Native (Crisp, Clear)", 0, 0);
    }
}

// The Apply button. A click closes the panel, writes the setup file and reopens the display; returns
// true then, because everything loaded for the old display (fonts, icons) is gone.
bool ApplyButton() {
    SetScl(1);
    SetCol(0, 120, 0, 0.5f);
    int x = 18, y = PanelY + 258;
    int w = TextWidth("Apply") + 4, h = TextHeight("Apply") + 4;
    if (MouseOver(x, y, w, h)) {
        DrawRect(static_cast<float>(x), static_cast<float>(y), static_cast<float>(w), static_cast<float>(h));
        if (ClickL > 0) {
            ClickL = 0;
            SettingsOpen = 0;
            SaveSetup();
            ApplyGraphics();
            return true;
        }
    }
    // The alpha stays at the highlight's 0.5, for the label and the binding cells drawn next: at full
    // alpha a key cap and its name, drawn in the same colour, would melt into one another.
    SetCol(80, 255, 80);
    DrawTxt(20, PanelY + 260, "Apply", 0, 0);
    return false;
}

// Returns true when Apply reopened the display.
bool GraphicsColumn() {
    SetGreen();
    DrawTxt(20, PanelY + 4, "Graphics", 0, 0);
    DrawChoiceRow(SettingFullscreen, 20, 30, FrameWindowed, {"Windowed", "Fullscreen"});
    ResolutionRow();
    ResolutionText();
    SetCol(80, 255, 80);
    DrawChoiceRow(SettingFrameskip, 20, 146, FrameOption,
                  {"Draw all Frames|Decent System", "Frameskip|Slow System"});
    DrawChoiceRow(SettingBackend, 20, 184, FrameOption,
                  {"OpenGL|Optimum", "DirectX 9|Alternative", "DirectX 7|Backup"});
    return ApplyButton();
}

// The eight cells of one player: the pad on the left, the four buttons in a diamond on the right.
void PlayerCells(int player, int x, int y) {
    struct Cell {
        int control, dx, dy, r, g, b;
    };
    static constexpr Cell Cells[] = {
        {PadUp, 50, 0, 80, 255, 80},         {PadLeft, 0, 50, 80, 255, 80},
        {PadRight, 100, 50, 80, 255, 80},    {PadDown, 50, 50, 80, 255, 80},
        {ButtonUpper, 190, 0, 255, 255, 80}, {ButtonLeft, 155, 30, 80, 80, 255},
        {ButtonRight, 225, 30, 255, 80, 80}, {ButtonLower, 190, 60, 80, 255, 80},
    };
    for (const Cell& cell : Cells) {
        SetCol(static_cast<float>(cell.r), static_cast<float>(cell.g), static_cast<float>(cell.b));
        DrawBindCell(BindSlot(cell.control, player), x + cell.dx, y + cell.dy);
    }
}

// Players 1 and 2 one above the other, players 3 and 4 in a second column.
void ControlsColumn() {
    if (MouseMode != 0) return;
    int x = 250, y = PanelY + 10;
    for (int player = 1; player <= BindRows; player++) {
        PlayerCells(player, x, y);
        y += 150;
        if (player == 2) {
            y = PanelY + 10;
            x += 400;
        }
    }
}

// A volume slider whose value snaps to 0 and 100 near its ends.
void VolumeSlider(int slot, int x, int y, const std::string& label) {
    int value = DrawSlider(Setting[static_cast<size_t>(slot)], x, y, label);
    if (value < 6) value = 0;
    if (value > 94) value = 100;
    Setting[static_cast<size_t>(slot)] = value;
}

// Each joystick's name, dimmed while switched off; a click on it switches it off or on again.
void JoystickList(int x, int y) {
    int room = RightColumnWidth - 20;
    for (int j = 1; j <= std::min(JoyCount, static_cast<int>(JoyName.size()) - 1); j++) {
        auto s = static_cast<size_t>(j);
        if (JoystickButton(j - 1, 0))
            SetCol(255, 255, 80, 1);
        else
            SetGreen();
        if (JoyPresent[s] == 0) SetAlpha(0.2f);
        std::string name = FitText(JoyName[s], room);
        if (MouseOver(x, y, TextWidth(name), 14) && ClickL > 0) {
            ClickL = 0;
            JoyPresent[s] = 1 - JoyPresent[s];
        }
        DrawTxt(x, y, name, 0, 0);
        y += 15;
    }
}

void AudioColumn() {
    int x = ScreenW - RightColumnWidth, y = PanelY + 10;
    DrawChoiceRow(SettingAudioDriver, x, 20, FrameAudioDriver, {"AUDIO"});
    const std::string restart = "Changes require a Restart";
    SetCol(255, 180, 180, 1);
    SetScl(FitScale(restart, RightColumnWidth - 10));
    DrawTxt(x, y + 40, restart, 0, 0);
    y += 60;
    VolumeSlider(SettingMasterVolume, x, y, "Master Volume");
    y += 50;
    VolumeSlider(SettingSoundVolume, x, y, "Sounds");
    y += 50;
    VolumeSlider(SettingMusicVolume, x, y, "Music");
    y += 60;
    JoystickList(x, y);
}

// The icon of a binding by its kind and where its name goes: the cell centre, or the corner for the
// stick and hat pictures. Frame -1: codes that draw nothing (mouse buttons, Backspace, 255..299).
struct CellPicture {
    int frame = -1;
    bool atCorner = false;
};

CellPicture PictureOf(int code) {
    if (code == 0 || (code >= 9 && code <= 254)) return {FrameKeyCap, false};
    if (code < 300) return {};
    int d = code % 50;
    if (d < 12) return {FrameAxis, true};
    if (d >= 20 && d <= 29) return {FrameHat, true};
    if (d >= 30) return {FrameButton, false};
    return {};
}

} // namespace

void SettingsPanel() {
    ClickL = MouseHit(1);
    ClickR = MouseHit(2);
    if (SettingsOpen == 1 && PanelY < 0) PanelY += SlideStep;
    if (SettingsOpen == 0 && PanelY > HiddenY) PanelY -= SlideStep;
    if (PanelY <= HiddenY) return;
    DrawBackground();
    // The panel's icons are drawn whatever the screen underneath has used of its budgets.
    DrawCount[1] = DrawCount[2] = 0;
    if (GraphicsColumn()) return;
    ControlsColumn();
    AudioColumn();
}

int DrawChoiceRow(int slot, int x, int y, int iconBase, const std::array<std::string, 6>& given) {
    std::array<std::string, 6> labels = given;
    if (labels[0] == "AUDIO")
        for (size_t k = 0; k < labels.size() && k < AudioDriverNames.size(); k++)
            labels[k] = "Audio Driver|" + AudioDriverNames[k];
    int& value = Setting[static_cast<size_t>(slot)];
    int options = 1;
    for (int k = 1; k < 6; k++)
        if (!labels[static_cast<size_t>(k)].empty()) options = k + 1;
    std::string shown = labels[0];
    if (value >= 1 && value <= 5 && !labels[static_cast<size_t>(value)].empty())
        shown = labels[static_cast<size_t>(value)];

    SetScl(1);
    SetFont(NamedFont[2]);
    size_t bar = shown.find('|');
    if (bar == std::string::npos) {
        DrawTxt(x + 38, y + PanelY + 16, shown, 0, 1);
    } else {
        DrawTxt(x + 38, y + PanelY + 8, shown.substr(0, bar), 0, 1);
        DrawTxt(x + 38, y + PanelY + 24, shown.substr(bar + 1), 0, 1);
    }

    SetScl(2);
    int w = TextWidth(FirstLine(shown));
    if (MouseOver(x, y + PanelY, w + 38, 32)) {
        DrawGlowImg(Icons, x, y + PanelY, iconBase + value, IconsSmooth, 1.1f, 0.8f);
        if (ClickL > 0) value = (value + 1) % options;
        return 1;
    }
    DrawImg(Icons, x, y + PanelY, iconBase + value, 1);
    return 0;
}

int DrawSlider(int value, int x, int y, const std::string& label) {
    SetCol(80, 255, 80);
    SetScl(3.1f, 1.5f);
    DrawImg(Icons, x - 2, y, FrameSliderLeft, 1);
    DrawImg(Icons, x + 48, y, FrameSliderRight, 1);
    SetCol(255, 80, 80);
    SetScl(1, 1.5f);
    DrawImg(Icons, x + value - 9, y, FrameKnob, 1);
    SetCol(80, 180, 255);
    if (MouseOver(x - 2, y - 4, 100, 24) && MouseDown(1)) value = MouseXPos - (x - 2);
    SetScl(1);
    DrawTxt(x, y + 20, label + " : " + std::to_string(value), 0, 0);
    return value;
}

void DrawBindCell(int slot, int x, int y) {
    if (slot < 0 || slot >= static_cast<int>(KeyBind.size())) return;
    int& bound = KeyBind[static_cast<size_t>(slot)];
    const int old = bound;
    float lit = 0;
    if (MouseOver(x, y, CellSize, CellSize) && PanelY >= 0) {
        lit = 1;
        int code = ScanInput();
        if (code > KeyBackspace) bound = code;
        if (code == KeyBackspace) bound = 0;
    }
    if (InputDown(bound)) lit = 1;

    CellPicture picture = PictureOf(old);
    if (picture.frame < 0) return;
    SetScl(3);
    DrawGlowImg(Icons, x, y, picture.frame, IconsSmooth, 1.1f, lit);
    std::string name = bound == 0 ? "?!" : KeyName(bound);
    if (picture.atCorner)
        DrawCentredWithin(x, y, name, CellSize - 2);
    else
        DrawCentredWithin(x + CellSize / 2, y + CellSize / 2, name, CellSize - 2);
}

} // namespace glimmet
