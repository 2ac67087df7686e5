#pragma once
// Every image, font and sound the program uses, loaded each time the display opens: the framework's
// common files, then the game's badge strip and sound effects and the local scores, then the engine
// test, the music samples and the game's own pictures.

#include <array>

namespace glimmet {

// Image handles (0 = not loaded).
extern int IconsSmooth, Icons, FrameworkLogo, SiteLogo, BadgeImage;
extern int TitleLogo, MenuArtSmooth, MenuArt, TileSheet, WallImage;
extern int BadgeSound;

// Fonts with fixed uses (slots 1..13) and by style and size code (slot (style - 1) * 10 + size).
extern std::array<int, 20> NamedFont;
extern std::array<int, 100> FontSlot;

extern int AssetsLoaded; // 1 once the first load has played the start-up sound

void InitializeAssets(); // no fonts assigned, the start-up sound not yet played

// The two font factors for a display width: sizes grow as the display gets narrower.
double FirstFontFactor(int displayW);
double SecondFontFactor(int displayW);

void LoadCommonAssets();
void LoadGameAssets();

} // namespace glimmet
