#include "bitmapfont.h"

#include "media.h"

#include <GL/gl.h>

// character, texX, texY (lower edge, rows from the top of the sheet), width,
// height, offsetY (top of the glyph from the pen line)
const Glyph glyphs[glyphCount] = {
    {0x61, 4, 18, 10, 11, 0},      // a
    {0x62, 15, 18, 11, 15, -4},    // b
    {0x63, 26, 18, 10, 11, 0},     // c
    {0x64, 37, 18, 10, 15, -4},    // d
    {0x65, 48, 18, 11, 11, 0},     // e
    {0x66, 59, 18, 7, 15, -4},     // f
    {0x67, 66, 21, 10, 14, 0},     // g
    {0x68, 78, 18, 11, 15, -4},    // h
    {0x69, 90, 18, 4, 15, -4},     // i
    {0x6a, 94, 21, 7, 17, -3},     // j
    {0x6b, 103, 18, 9, 15, -4},    // k
    {0x6c, 114, 18, 3, 15, -4},    // l
    {0x6d, 119, 18, 16, 13, -2},   // m
    {0x6e, 137, 18, 11, 12, -1},   // n
    {0x6f, 148, 18, 11, 11, 0},    // o
    {0x70, 160, 21, 10, 14, 0},    // p
    {0x71, 171, 21, 10, 14, 0},    // q
    {0x72, 184, 18, 7, 11, 0},     // r
    {0x73, 192, 18, 9, 11, 0},     // s
    {0x74, 201, 18, 7, 14, -3},    // t
    {0x75, 209, 18, 10, 11, 0},    // u
    {0x76, 220, 18, 11, 11, 0},    // v
    {0x77, 231, 18, 15, 12, -1},   // w
    {0x78, 3, 40, 11, 12, -1},     // x
    {0x79, 15, 43, 10, 15, -1},    // y
    {0x7a, 25, 40, 10, 12, -1},    // z
    {0x41, 35, 40, 13, 15, -3},    // A
    {0x42, 49, 40, 11, 15, -3},    // B
    {0x43, 61, 40, 12, 15, -3},    // C
    {0x44, 75, 40, 13, 15, -3},    // D
    {0x45, 89, 40, 11, 15, -3},    // E
    {0x46, 100, 40, 11, 15, -3},   // F
    {0x47, 112, 40, 13, 15, -3},   // G
    {0x48, 126, 40, 12, 15, -3},   // H
    {0x49, 140, 40, 7, 15, -3},    // I
    {0x4a, 147, 40, 8, 15, -3},    // J
    {0x4c, 170, 40, 10, 15, -3},   // L
    {0x4d, 180, 40, 14, 15, -3},   // M
    {0x4e, 197, 40, 11, 15, -3},   // N
    {0x4f, 210, 40, 13, 15, -3},   // O
    {0x50, 225, 40, 10, 15, -3},   // P
    {0x53, 17, 62, 11, 15, -3},    // S
    {0x54, 29, 62, 12, 15, -3},    // T
    {0x57, 67, 62, 17, 15, -3},    // W
    {0x59, 98, 62, 12, 15, -3},    // Y
    {0x2e, 123, 61, 4, 4, 7},      // .
    {0x2c, 129, 65, 5, 7, 7},      // ,
    {0x21, 137, 61, 4, 14, -3},    // !
    {0x2d, 143, 57, 8, 5, 4},      // -
    {0x22, 152, 53, 9, 7, -4},     // "
    {0x30, 161, 62, 10, 15, -3},   // 0
    {0x31, 174, 62, 9, 15, -3},    // 1
    {0x32, 185, 62, 10, 15, -3},   // 2
    {0x33, 197, 62, 10, 15, -3},   // 3
    {0x34, 208, 62, 11, 15, -3},   // 4
    {0x35, 221, 62, 10, 15, -3},   // 5
    {0x36, 233, 62, 10, 15, -3},   // 6
    {0x37, 3, 84, 11, 15, -3},     // 7
    {0x38, 16.4f, 84, 10, 15, -3}, // 8
    {0x39, 27, 84, 11, 15, -3},    // 9
};

void drawAtlasQuad(float u, float v, float du, float dv)
{
    const float right = du * 256.0f * scaleX;
    const float bottom = dv * 256.0f * scaleY;
    glBegin(GL_QUADS);
    glTexCoord2f(u, v + dv);
    glVertex2f(0.0f, 0.0f);
    glTexCoord2f(u + du, v + dv);
    glVertex2f(right, 0.0f);
    glTexCoord2f(u + du, v);
    glVertex2f(right, bottom);
    glTexCoord2f(u, v);
    glVertex2f(0.0f, bottom);
    glEnd();
}

static const Glyph* findGlyph(unsigned char byte)
{
    for (int row = 0; row < glyphCount; ++row) {
        if ((glyphs[row].character & 0xFF) == byte)
            return &glyphs[row];
    }
    return nullptr;
}

void drawText(const char* text)
{
    float pen = 0.0f;
    for (const char* p = text; *p != '\0'; ++p) {
        const unsigned char byte = static_cast<unsigned char>(*p);
        if (byte == ' ') {
            glTranslatef(10.0f * scaleX, 0.0f, 0.0f);
            pen += 10.0f * scaleX;
        } else if (byte == '\n') {
            glTranslatef(-pen, 0.0f, 0.0f);
            glTranslatef(0.0f, 20.0f * scaleY, 0.0f);
            pen = 0.0f;
        } else if (const Glyph* glyph = findGlyph(byte)) {
            glPushMatrix();
            glTranslatef(0.0f, glyph->offsetY * scaleY, 0.0f);
            drawAtlasQuad(glyph->texX / 256.0f, (255.0f - glyph->texY) / 256.0f,
                          glyph->width / 256.0f, glyph->height / 256.0f);
            glPopMatrix();
            glTranslatef(glyph->width * scaleX, 0.0f, 0.0f);
            pen += glyph->width * scaleX;
        }
    }
}
