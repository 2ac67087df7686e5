#pragma once
// Fonts: TrueType (or OpenType) files rendered by FreeType, anti-aliased, into a glyph atlas for the
// character codes 32..255 (Latin-1), drawn as textured quads under the drawing state of draw.h.
//
// A font is loaded at a pixel size in drawing-area units; its glyphs are rasterised at the size they
// appear on the display (pixel size x display/area scale), so text stays crisp when the area is scaled
// down. Widths and heights are measured in drawing-area units, the same at every display size. A file
// that cannot be read falls back to the system's DejaVu Sans and, failing that, to a small built-in
// bitmap font, so text always draws and measures. Fonts belong to the open display.

#include <string>

namespace glimmet {

// Returns a font handle, or 0 for a pixel size below 1. smooth = anti-aliased.
int LoadFont(const std::string& file, int pixelSize, bool smooth);
bool FontIsFallback(int font); // the file could not be used and a stand-in was loaded
// The stand-in font file tried first (DejaVu Sans from the system by default); "" = built-in font only.
void SetFallbackFontFile(const std::string& file);

void SetFont(int font); // the current font of the drawing state (0 = none: text draws nothing)
int TextWidth(const std::string& text);  // in the current font, drawing-area units, without the scale
int TextHeight(const std::string& text); // the font's line height (ascent + descent); 0 without a font

// Draws the text with its top-left corner at (x, y) in the current font, colour, alpha, blend, scale and
// rotation (about that corner). Codes below 32 draw nothing and take no room.
void DrawText(const std::string& text, float x, float y);

} // namespace glimmet
