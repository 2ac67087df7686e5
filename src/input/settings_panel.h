#pragma once
// The slide-down settings panel, driven once per frame by the frame step: graphics options with
// Apply on the left, the control bindings of up to four players in the middle, the audio driver, the
// three volumes and the joystick list on the right.

#include <array>
#include <string>

namespace glimmet {

extern int PanelY;              // -300 hidden .. 20 fully open; panel rows are placed relative to it
extern int ClickL, ClickR;      // mouse-button hits (left, right) read at the start of each panel frame
void InitializeSettingsPanel(); // hidden, no clicks

// Slides the panel toward SettingsOpen and, while any of it shows, draws it and handles its input.
void SettingsPanel();

// An option button bound to Setting[slot]: the icon iconBase + Setting[slot] and the label of the
// current option ("top|bottom" draws two lines); a click steps through the options that have labels.
// Labels {"AUDIO"} make the audio driver row. y is relative to PanelY. Returns 1 with the mouse over it.
int DrawChoiceRow(int slot, int x, int y, int iconBase, const std::array<std::string, 6>& labels);

// A volume slider 0..100 wide at absolute (x, y), dragged with the left button; returns the new value.
int DrawSlider(int value, int x, int y, const std::string& label);

// A 48 x 48 cell showing and redefining KeyBind[slot] at absolute (x, y): hovered on the fully open
// panel, the input held now is bound to it (Backspace unbinds).
void DrawBindCell(int slot, int x, int y);

} // namespace glimmet
