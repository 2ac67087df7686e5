#pragma once
// The slide-down settings panel, driven once per frame by the frame step.

namespace glimmet {

extern int PanelY; // -300 hidden .. 20 fully open
extern int ClickL, ClickR;
void InitializeSettingsPanel(); // hidden

void SettingsPanel();

} // namespace glimmet
