#include "display/messages.h"

#include "display/assets.h"
#include "display/graphics_mode.h"
#include "display/toolkit.h"
#include "platform/draw.h"
#include "platform/font.h"

namespace glimmet {

std::vector<ment> MessageList;

void InitializeMessages() {
    MessageList.clear();
}

void AddMessage(const std::string& txt, int c) {
    MessageList.push_back(ment{0, txt, c});
}

void DrawMessages() {
    int y = ScreenH - 16;
    SetScl(1);
    SetFont(NamedFont[3]);
    for (auto it = MessageList.begin(); it != MessageList.end();) {
        ment& m = *it;
        m.tick++;
        bool fresh = m.tick < 60; // highlighted: black on yellow
        if (fresh)
            SetCol(255, 255, 0, 0.7f);
        else
            SetCol(0, 0, 0, 0.7f);
        DrawRect(0, static_cast<float>(y), static_cast<float>(TextWidth(m.txt)),
                 static_cast<float>(TextHeight(m.txt)));
        if (fresh)
            SetCol(0, 0, 0, 1);
        else
            SetCol(255, 255, 255, 1);
        DrawTxt(0, y, m.txt, 0, 0);
        y -= 14;
        it = m.tick == 180 ? MessageList.erase(it) : it + 1;
    }
}

} // namespace glimmet
