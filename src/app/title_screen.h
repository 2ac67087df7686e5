#pragma once
// The title screen: decorative art drifting with the mouse over the backdrop, the logo with the start
// prompt, the game-mode label, the settings hint, and a side panel with the hiscore and about pages
// (and the online page, app/online_page.h, when it is offered).
// Games start from here and come back here; Escape leaves the screen (and the program).

#include <array>
#include <string>

namespace glimmet {

// The about page, slots 1..31; AboutCount is one past the last line.
extern std::array<std::string, 100> AboutLines;
extern int AboutCount;
// Which field of the online page's login form has the keyboard: 0 none, 1 user name, 2 password.
extern int LoginFocus;
// Whether the panel offers the online page: OnlineEnabled, set again by InitializeTitleScreen (tests
// switch the page on here, the program never does).
extern int OnlinePageOffered;

void FillAboutLines();
void InitializeTitleScreen(); // the about text filled, no login field focused

// What a start runs: the game. Tests of the title screen's own rules put a stand-in here.
extern void (*GameToPlay)();

// Starts a game from the title screen and returns when it is over.
void StartGame();

// Runs until Escape is pressed (and not merely still held from a game).
void TitleScreen();

} // namespace glimmet
