#pragma once
// Name entry after a game, and the one-line editing step it shares with the online page's fields.

#include <string>

namespace glimmet {

// One editing step: appends the next typed character (codes below 32 are dropped) and applies one
// Backspace hit (the last character goes; an empty text stays empty).
std::string EditLine(const std::string& text);

// A screen of its own that edits PlayerName until Return is hit, or Escape or mouse button 1 is held;
// then reseeds the random generator from the clock.
void EnterName();

} // namespace glimmet
