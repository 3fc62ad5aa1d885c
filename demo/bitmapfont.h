// The demo's proportional bitmap font, cut from a 256 x 256 atlas.
#ifndef SNOWGIG_BITMAPFONT_H
#define SNOWGIG_BITMAPFONT_H

#include <cstdint>

struct Glyph {
    int32_t character;
    float texX;
    float texY;
    float width;
    float height;
    float offsetY;
};

const int glyphCount = 60;
extern const Glyph glyphs[glyphCount];

// One quad cut from a 256-texel atlas; u, v is the region's left and lower edge.
void drawAtlasQuad(float u, float v, float du, float dv);
// Draws text from the current origin with the bound font texture; leaves the
// modelview matrix moved by the text's advances.
void drawText(const char* text);

#endif
