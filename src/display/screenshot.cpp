#include "display/screenshot.h"

#include "app/debug_log.h"
#include "base/state.h"
#include "display/assets.h"
#include "display/graphics_mode.h"
#include "display/messages.h"
#include "display/toolkit.h"
#include "platform/clock.h"
#include "platform/display.h"
#include "platform/files.h"
#include "platform/font.h"
#include "platform/pixmap.h"

namespace glimmet {

std::string CleanFileName(const std::string& text) {
    static const std::string Removed = "#',`.\\/:|*?\"";
    std::string clean;
    for (char c : text)
        if (Removed.find(c) == std::string::npos) clean += c;
    return clean;
}

std::string ScreenshotFileName() {
    return CleanFileName(TitleLine1 + " " + TitleLine2 + " (Screenshot_" + LocalDateText() + "_" +
                         LocalTimeText() + ")") +
           ".png";
}

void TakeScreenshot() {
    LogLine("");
    LogLine("\tScreenshot");
    std::string gameFolder = CurrentDir();
    EnterFilesFolder();
    LogLine("\tGrabbing Screenshot");
    Pixmap picture = GrabScreen(0, 0, DisplayW, DisplayH);
    ResetDraw();
    for (uint32_t& pixel : picture.pixels) pixel = (pixel & 0xFFFFFF) | 0xFF000000u;
    SetFont(NamedFont[5]);
    DrawTxt(ScreenW / 2, ScreenH / 2 - 30, "Saving Screenshot", 1, 1);
    SetFont(NamedFont[6]);
    DrawTxt(ScreenW / 2, ScreenH / 2 + 30, "Sometimes, this takes a while!", 1, 1);
    PresentFrame(true);
    std::string name = ScreenshotFileName();
    LogLine("\tSaving Screenshot : " + name);
    bool saved = SavePixmapPng(picture, name, 9);
    LogLine("\tSaved Screenshot " + std::to_string(saved ? 1 : 0));
    LogLine("");
    ChangeDir(gameFolder);
    AddMessage("Saved Screenshot", 1);
}

} // namespace glimmet
