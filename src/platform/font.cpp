#include "platform/font.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

#include <ft2build.h>
#include FT_FREETYPE_H

#include "platform/draw.h"
#include "platform/render_state.h"

namespace glimmet {

namespace {

constexpr int FirstCode = 32;
constexpr int LastCode = 255;
std::string FallbackFile = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

// The built-in stand-in font: 3 x 5 pixel glyphs for codes 32..126, one octal digit per row from the
// top, the bits 4, 2, 1 being the left, middle and right pixel. Lower case uses the capitals; codes
// from 127 up show the question mark. Each glyph sits in a cell 4 wide and 6 high.
const uint16_t TinyGlyphs[95] = {
    000000, 022202, 055000, 057575, 036263, 051245, 025253, 022000, // space ! " # $ % & '
    012221, 042224, 005250, 002720, 000024, 000700, 000002, 011244, // ( ) * + , - . /
    075557, 026227, 071747, 071317, 055711, 074717, 074757, 071122, // 0 1 2 3 4 5 6 7
    075757, 075717, 002020, 002024, 012421, 007070, 042124, 071302, // 8 9 : ; < = > ?
    025743, 025755, 065656, 034443, 065556, 074647, 074644, 034553, // @ A B C D E F G
    055755, 072227, 011152, 055655, 044447, 057755, 065555, 025552, // H I J K L M N O
    065644, 025563, 065655, 034216, 072222, 055557, 055552, 055775, // P Q R S T U V W
    055255, 055222, 071247, 064446, 044211, 031113, 025000, 000007, // X Y Z [ \ ] ^ _
    042000, 025755, 065656, 034443, 065556, 074647, 074644, 034553, // ` a b c d e f g
    055755, 072227, 011152, 055655, 044447, 057755, 065555, 025552, // h i j k l m n o
    065644, 025563, 065655, 034216, 072222, 055557, 055552, 055775, // p q r s t u v w
    055255, 055222, 071247, 032623, 022222, 062326, 003600,         // x y z { | } ~
};
constexpr int TinyCellW = 4, TinyCellH = 6, TinyRows = 5;

struct Glyph {
    int x = 0, y = 0, w = 0, h = 0; // in the atlas
    float left = 0, top = 0;        // bitmap offset from the pen position and the baseline, in raster pixels
};

struct FontRec {
    bool used = false;
    bool fallback = false;
    FT_Face face = nullptr; // null: the built-in font
    float size = 0;         // pixel size in drawing-area units
    bool smooth = true;
    std::array<float, 256> advance{}; // drawing-area units
    float ascent = 0, descent = 0;
    SDL_Texture* atlas = nullptr;
    float atlasScale = 0; // raster pixels per drawing-area unit the atlas was made for
    int atlasW = 1, atlasH = 1;
    std::array<Glyph, 256> glyphs{};
};

std::vector<FontRec> Fonts(1); // slot 0: no font
FT_Library Library = nullptr;

FontRec* Find(int font) {
    if (font <= 0 || font >= static_cast<int>(Fonts.size()) || !Fonts[static_cast<size_t>(font)].used)
        return nullptr;
    return &Fonts[static_cast<size_t>(font)];
}

FT_Face OpenFace(const std::string& file, int pixelSize) {
    if (Library == nullptr && FT_Init_FreeType(&Library) != 0) {
        Library = nullptr;
        return nullptr;
    }
    FT_Face face = nullptr;
    if (FT_New_Face(Library, file.c_str(), 0, &face) != 0) return nullptr;
    if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelSize)) != 0) {
        FT_Done_Face(face);
        return nullptr;
    }
    return face;
}

// Advances and vertical extent at the nominal size. Scalable fonts are measured from their unhinted
// outlines, so the measures do not depend on the size the glyphs are later rasterised at.
void MeasureFace(FontRec& rec) {
    FT_Face face = rec.face;
    bool scalable = FT_IS_SCALABLE(face) && face->units_per_EM > 0;
    float perUnit = scalable ? rec.size / static_cast<float>(face->units_per_EM) : 0.0f;
    for (int code = FirstCode; code <= LastCode; code++) {
        if (scalable) {
            if (FT_Load_Char(face, static_cast<FT_ULong>(code), FT_LOAD_NO_SCALE) == 0)
                rec.advance[static_cast<size_t>(code)] = static_cast<float>(face->glyph->advance.x) * perUnit;
        } else if (FT_Load_Char(face, static_cast<FT_ULong>(code), FT_LOAD_DEFAULT) == 0) {
            rec.advance[static_cast<size_t>(code)] = static_cast<float>(face->glyph->advance.x) / 64.0f;
        }
    }
    if (scalable) {
        rec.ascent = static_cast<float>(face->ascender) * perUnit;
        rec.descent = static_cast<float>(-face->descender) * perUnit;
    } else {
        rec.ascent = static_cast<float>(face->size->metrics.ascender) / 64.0f;
        rec.descent = static_cast<float>(-face->size->metrics.descender) / 64.0f;
    }
}

void MeasureTiny(FontRec& rec) {
    float unit = rec.size / static_cast<float>(TinyCellH);
    for (int code = FirstCode; code <= LastCode; code++)
        rec.advance[static_cast<size_t>(code)] = unit * TinyCellW;
    rec.ascent = unit * TinyRows;
    rec.descent = unit;
}

struct Bitmap {
    int w = 0, h = 0;
    float left = 0, top = 0;
    std::vector<uint8_t> coverage; // 0..255
};

Bitmap RenderFaceGlyph(FontRec& rec, int code) {
    Bitmap out;
    FT_Int32 flags =
        FT_LOAD_RENDER | (rec.smooth ? FT_LOAD_TARGET_NORMAL : (FT_LOAD_TARGET_MONO | FT_LOAD_MONOCHROME));
    if (FT_Load_Char(rec.face, static_cast<FT_ULong>(code), flags) != 0) return out;
    const FT_Bitmap& bitmap = rec.face->glyph->bitmap;
    out.w = static_cast<int>(bitmap.width);
    out.h = static_cast<int>(bitmap.rows);
    out.left = static_cast<float>(rec.face->glyph->bitmap_left);
    out.top = static_cast<float>(rec.face->glyph->bitmap_top);
    out.coverage.assign(static_cast<size_t>(out.w) * static_cast<size_t>(out.h), 0);
    for (int y = 0; y < out.h; y++) {
        const unsigned char* row = bitmap.buffer + static_cast<ptrdiff_t>(y) * bitmap.pitch;
        for (int x = 0; x < out.w; x++) {
            uint8_t value = 0;
            if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO) {
                value = (row[x / 8] & (0x80 >> (x % 8))) != 0 ? 255 : 0;
            } else if (bitmap.pixel_mode == FT_PIXEL_MODE_GRAY) {
                value = static_cast<uint8_t>(bitmap.num_grays > 1 ? row[x] * 255 / (bitmap.num_grays - 1)
                                                                  : row[x]);
            }
            out.coverage[static_cast<size_t>(y) * static_cast<size_t>(out.w) + static_cast<size_t>(x)] =
                value;
        }
    }
    return out;
}

Bitmap RenderTinyGlyph(const FontRec& rec, int code, float scale) {
    Bitmap out;
    uint16_t bits = TinyGlyphs[code >= FirstCode && code < 127 ? code - FirstCode : '?' - FirstCode];
    int block = std::max(1, static_cast<int>(std::lround(rec.size * scale / TinyCellH)));
    out.w = 3 * block;
    out.h = TinyRows * block;
    out.left = 0;
    out.top = static_cast<float>(out.h);
    out.coverage.assign(static_cast<size_t>(out.w) * static_cast<size_t>(out.h), 0);
    for (int y = 0; y < out.h; y++) {
        int row = (bits >> (3 * (TinyRows - 1 - y / block))) & 7;
        for (int x = 0; x < out.w; x++)
            if ((row & (4 >> (x / block))) != 0)
                out.coverage[static_cast<size_t>(y) * static_cast<size_t>(out.w) + static_cast<size_t>(x)] =
                    255;
    }
    return out;
}

void DropAtlas(FontRec& rec) {
    if (rec.atlas != nullptr) SDL_DestroyTexture(rec.atlas);
    rec.atlas = nullptr;
}

// Shelf packing into an atlas of the given width: left to right, a new shelf when a row is full, one
// empty pixel between glyphs. Returns the atlas height.
int PackGlyphs(FontRec& rec, const std::vector<Bitmap>& bitmaps, int width) {
    int x = 0, y = 0, shelf = 0;
    for (int code = FirstCode; code <= LastCode; code++) {
        const Bitmap& bitmap = bitmaps[static_cast<size_t>(code)];
        if (x + bitmap.w + 1 > width) {
            x = 0;
            y += shelf;
            shelf = 0;
        }
        rec.glyphs[static_cast<size_t>(code)] = Glyph{x, y, bitmap.w, bitmap.h, bitmap.left, bitmap.top};
        x += bitmap.w + 1;
        shelf = std::max(shelf, bitmap.h + 1);
    }
    return std::max(1, y + shelf);
}

// White pixels whose alpha is the glyph coverage, so the vertex colour tints the text.
std::vector<uint32_t> PaintAtlas(const FontRec& rec, const std::vector<Bitmap>& bitmaps, int width,
                                 int height) {
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height), 0x00FFFFFFu);
    for (int code = FirstCode; code <= LastCode; code++) {
        const Bitmap& bitmap = bitmaps[static_cast<size_t>(code)];
        const Glyph& glyph = rec.glyphs[static_cast<size_t>(code)];
        for (int row = 0; row < bitmap.h; row++) {
            uint32_t* out = &pixels[static_cast<size_t>(glyph.y + row) * static_cast<size_t>(width) +
                                    static_cast<size_t>(glyph.x)];
            const uint8_t* in = &bitmap.coverage[static_cast<size_t>(row) * static_cast<size_t>(bitmap.w)];
            for (int col = 0; col < bitmap.w; col++)
                out[col] = (static_cast<uint32_t>(in[col]) << 24) | 0x00FFFFFFu;
        }
    }
    return pixels;
}

// Rasterises codes 32..255 at the given scale into one texture. The scale is remembered even when
// this fails, so a failing font is not retried on every draw.
void BuildAtlas(SDL_Renderer* renderer, FontRec& rec, float scale) {
    DropAtlas(rec);
    rec.atlasScale = scale;
    if (rec.face != nullptr) {
        FT_F26Dot6 size = static_cast<FT_F26Dot6>(std::lround(rec.size * scale * 64.0f));
        if (FT_Set_Char_Size(rec.face, 0, std::max<FT_F26Dot6>(size, 64), 72, 72) != 0) return;
    }
    std::vector<Bitmap> bitmaps(LastCode + 1);
    long long area = 0;
    int widest = 1;
    for (int code = FirstCode; code <= LastCode; code++) {
        Bitmap& bitmap = bitmaps[static_cast<size_t>(code)];
        bitmap = rec.face != nullptr ? RenderFaceGlyph(rec, code) : RenderTinyGlyph(rec, code, scale);
        area += static_cast<long long>(bitmap.w + 1) * (bitmap.h + 1);
        widest = std::max(widest, bitmap.w + 1);
    }
    int width = std::max(widest, static_cast<int>(std::ceil(std::sqrt(static_cast<double>(area) * 1.3))));
    int height = PackGlyphs(rec, bitmaps, width);
    std::vector<uint32_t> pixels = PaintAtlas(rec, bitmaps, width, height);
    rec.atlas =
        SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC, width, height);
    if (rec.atlas == nullptr) return;
    rec.atlasW = width;
    rec.atlasH = height;
    SDL_UpdateTexture(rec.atlas, nullptr, pixels.data(), width * 4);
    SDL_SetTextureScaleMode(rec.atlas, SDL_ScaleModeLinear);
}

void Release(FontRec& rec) {
    DropAtlas(rec);
    if (rec.face != nullptr) FT_Done_Face(rec.face);
    rec = FontRec{};
}

int AddFont(FontRec rec) {
    rec.used = true;
    for (size_t i = 1; i < Fonts.size(); i++) {
        if (!Fonts[i].used) {
            Fonts[i] = rec;
            return static_cast<int>(i);
        }
    }
    Fonts.push_back(rec);
    return static_cast<int>(Fonts.size() - 1);
}

} // namespace

int LoadFont(const std::string& file, int pixelSize, bool smooth) {
    if (pixelSize < 1) return 0;
    FontRec rec;
    rec.size = static_cast<float>(pixelSize);
    rec.smooth = smooth;
    rec.face = OpenFace(file, pixelSize);
    if (rec.face == nullptr) {
        rec.fallback = true;
        if (!FallbackFile.empty()) rec.face = OpenFace(FallbackFile, pixelSize);
    }
    if (rec.face != nullptr) {
        MeasureFace(rec);
    } else {
        MeasureTiny(rec);
    }
    return AddFont(rec);
}

void SetFallbackFontFile(const std::string& file) {
    FallbackFile = file;
}

void FreeAllFonts() {
    for (FontRec& rec : Fonts) Release(rec);
    Fonts.assign(1, FontRec{});
    Pen.font = 0;
    if (Library != nullptr) FT_Done_FreeType(Library);
    Library = nullptr;
}

bool FontIsFallback(int font) {
    const FontRec* rec = Find(font);
    return rec != nullptr && rec->fallback;
}

void SetFont(int font) {
    Pen.font = font;
}

int TextWidth(const std::string& text) {
    const FontRec* rec = Find(Pen.font);
    if (rec == nullptr) return 0;
    float width = 0;
    for (unsigned char c : text) width += rec->advance[c];
    return static_cast<int>(std::lround(width));
}

int TextHeight(const std::string&) {
    const FontRec* rec = Find(Pen.font);
    return rec != nullptr ? static_cast<int>(std::lround(rec->ascent + rec->descent)) : 0;
}

namespace {

// Appends the two triangles of one glyph whose top-left corner is (left, top) relative to the text's
// anchor, in drawing-area units.
void AddGlyphQuad(const FontRec& rec, const Glyph& glyph, const Placement& place, float left, float top,
                  bool snap, SDL_Color color, std::vector<SDL_Vertex>& vertices, std::vector<int>& indices) {
    float scale = rec.atlasScale;
    float right = left + static_cast<float>(glyph.w) / scale,
          bottom = top + static_cast<float>(glyph.h) / scale;
    SDL_FPoint corners[4] = {Place(place, left, top), Place(place, right, top), Place(place, right, bottom),
                             Place(place, left, bottom)};
    if (snap) {
        float dx = std::round(corners[0].x) - corners[0].x, dy = std::round(corners[0].y) - corners[0].y;
        for (SDL_FPoint& corner : corners) corner = SDL_FPoint{corner.x + dx, corner.y + dy};
    }
    float u0 = static_cast<float>(glyph.x) / static_cast<float>(rec.atlasW);
    float v0 = static_cast<float>(glyph.y) / static_cast<float>(rec.atlasH);
    float u1 = static_cast<float>(glyph.x + glyph.w) / static_cast<float>(rec.atlasW);
    float v1 = static_cast<float>(glyph.y + glyph.h) / static_cast<float>(rec.atlasH);
    int first = static_cast<int>(vertices.size());
    vertices.push_back(SDL_Vertex{corners[0], color, {u0, v0}});
    vertices.push_back(SDL_Vertex{corners[1], color, {u1, v0}});
    vertices.push_back(SDL_Vertex{corners[2], color, {u1, v1}});
    vertices.push_back(SDL_Vertex{corners[3], color, {u0, v1}});
    for (int k : {0, 1, 2, 0, 2, 3}) indices.push_back(first + k);
}

} // namespace

void DrawText(const std::string& text, float x, float y) {
    DrawRecord record = PenRecord(DrawKind::Text, x, y);
    record.text = text;
    LogDraw(record);
    SDL_Renderer* renderer = ActiveRenderer();
    FontRec* rec = Find(Pen.font);
    if (renderer == nullptr || rec == nullptr || text.empty()) return;
    Placement place = PlacementAt(x, y);
    float scale = std::min(place.toWindowX, place.toWindowY);
    if (scale <= 0) scale = 1;
    if (std::fabs(rec->atlasScale - scale) > 1e-3f) BuildAtlas(renderer, *rec, scale);
    if (rec->atlas == nullptr) return;
    // Upright text at scale 1 is snapped to whole display pixels, which keeps the glyphs sharp.
    bool snap = Pen.rotation == 0.0f && Pen.scaleX == 1.0f && Pen.scaleY == 1.0f;
    SDL_Color color = PenColor();
    std::vector<SDL_Vertex> vertices;
    std::vector<int> indices;
    vertices.reserve(text.size() * 4);
    indices.reserve(text.size() * 6);
    float pen = 0;
    for (unsigned char c : text) {
        if (c < FirstCode) continue;
        const Glyph& glyph = rec->glyphs[c];
        if (glyph.w > 0 && glyph.h > 0)
            AddGlyphQuad(*rec, glyph, place, pen + glyph.left / scale, rec->ascent - glyph.top / scale, snap,
                         color, vertices, indices);
        pen += rec->advance[c];
    }
    if (vertices.empty()) return;
    SDL_SetTextureBlendMode(rec->atlas, BlendModeFor(Pen.blend));
    SDL_RenderGeometry(renderer, rec->atlas, vertices.data(), static_cast<int>(vertices.size()),
                       indices.data(), static_cast<int>(indices.size()));
}

} // namespace glimmet
