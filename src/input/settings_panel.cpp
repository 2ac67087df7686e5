#include "input/settings_panel.h"

#include "display/frame.h"
#include "platform/input.h"

namespace glimmet {

int PanelY = -300;
int ClickL = 0, ClickR = 0;

void InitializeSettingsPanel() {
    PanelY = -300;
    ClickL = ClickR = 0;
}

// Reads the clicks and slides the panel; its rows and binding cells are drawn from here once the
// panel's widgets exist.
void SettingsPanel() {
    ClickL = MouseHit(1);
    ClickR = MouseHit(2);
    if (SettingsOpen == 1 && PanelY < 0) PanelY += 32;
    if (SettingsOpen == 0 && PanelY > -300) PanelY -= 32;
}

} // namespace glimmet
