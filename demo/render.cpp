#include "render.h"

#include "glwindow.h"
#include "bitmapfont.h"
#include "demotexts.h"
#include "media.h"
#include "scene.h"
#include "texture.h"

#include <GL/gl.h>

#include <cstring>

static void bindTexture(const Texture* texture)
{
    glBindTexture(GL_TEXTURE_2D, texture->glName);
}

static void rotate(float degrees)
{
    glRotatef(degrees, 0.0f, 0.0f, 1.0f);
}

static float imageS(const Texture* texture)
{
    return static_cast<float>(texture->width) / static_cast<float>(texture->texWidth);
}

static float imageT(const Texture* texture)
{
    return static_cast<float>(texture->height) / static_cast<float>(texture->texHeight);
}

// The image upright with its top-left corner at the origin.
static void imageQuad(const Texture* texture)
{
    const float right = static_cast<float>(texture->width) * scaleX;
    const float bottom = static_cast<float>(texture->height) * scaleY;
    const float s = imageS(texture);
    const float t = imageT(texture);
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, t);
    glVertex2f(0.0f, 0.0f);
    glTexCoord2f(s, t);
    glVertex2f(right, 0.0f);
    glTexCoord2f(s, 0.0f);
    glVertex2f(right, bottom);
    glTexCoord2f(0.0f, 0.0f);
    glVertex2f(0.0f, bottom);
    glEnd();
}

// The image flipped left to right in the same place as imageQuad.
static void mirroredImageQuad(const Texture* texture)
{
    const float right = static_cast<float>(texture->width) * scaleX;
    const float bottom = static_cast<float>(texture->height) * scaleY;
    const float s = imageS(texture);
    const float t = imageT(texture);
    glBegin(GL_QUADS);
    glTexCoord2f(s, t);
    glVertex2f(0.0f, 0.0f);
    glTexCoord2f(0.0f, t);
    glVertex2f(right, 0.0f);
    glTexCoord2f(0.0f, 0.0f);
    glVertex2f(right, bottom);
    glTexCoord2f(s, 0.0f);
    glVertex2f(0.0f, bottom);
    glEnd();
}

// The image hung from a joint on its vertical centre line a quarter of its
// height below its top, so that a rotation before it swings it about the joint.
static void pivotedImageQuad(const Texture* texture)
{
    const float w = static_cast<float>(texture->width);
    const float h = static_cast<float>(texture->height);
    const float left = -w * scaleX / 2.0f;
    const float right = w * scaleX / 2.0f;
    const float top = -h * scaleY / 4.0f;
    const float bottom = (h - h / 4.0f) * scaleY;
    const float s = imageS(texture);
    const float t = imageT(texture);
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, t);
    glVertex2f(left, top);
    glTexCoord2f(s, t);
    glVertex2f(right, top);
    glTexCoord2f(s, 0.0f);
    glVertex2f(right, bottom);
    glTexCoord2f(0.0f, 0.0f);
    glVertex2f(left, bottom);
    glEnd();
}

static int cityRingIndex(int block)
{
    const int index = block % 5;
    return index < 0 ? index + 5 : index;
}

static void cityQuad(int block, float x0, float x1, float s0, float s1, float y0, float y1)
{
    const Texture* texture = texCityblocks[cityRingIndex(block)];
    const float t = static_cast<float>(texture->height) * 0.001953125f;
    bindTexture(texture);
    glBegin(GL_QUADS);
    glTexCoord2f(s0, t);
    glVertex2f(x0, y0);
    glTexCoord2f(s1, t);
    glVertex2f(x1, y0);
    glTexCoord2f(s1, 0.0f);
    glVertex2f(x1, y1);
    glTexCoord2f(s0, 0.0f);
    glVertex2f(x0, y1);
    glEnd();
}

// A row of three 512-texel blocks from the ring, the first one scrolled left
// by `scroll` texels; the third is cut off at the window's right edge.
static void cityStrip(float scroll, int block, float y0, float y1)
{
    const float windowWidth = static_cast<float>(glWindow->getWidth());
    const float blockWidth = 512.0f * scaleX;
    const float x1 = (512.0f - scroll) * scaleX;
    const float x2 = x1 + blockWidth;
    cityQuad(block, 0.0f, x1, scroll * 0.001953125f, 1.0f, y0, y1);
    cityQuad(block + 1, x1, x2, 0.0f, 1.0f, y0, y1);
    cityQuad(block + 2, x2, windowWidth, 0.0f, (windowWidth - x2) / blockWidth, y0, y1);
}

static void drawLogoFrame()
{
    const float windowHeight = static_cast<float>(glWindow->getHeight());
    glColor4f(1.0f, 1.0f, 1.0f, logoAlpha);
    bindTexture(texTandrix);
    glTranslatef(160.0f * scaleX,
                 (windowHeight - static_cast<float>(texTandrix->height) * scaleY) * 0.5f, 0.0f);
    imageQuad(texTandrix);
}

static void drawSunAndRays()
{
    glPushMatrix();
    bindTexture(texSun);
    glTranslatef(sun.x, sun.y, 0.0f);
    glPushMatrix();
    rotate(sun.angle);
    imageQuad(texSun);
    glPopMatrix();

    // The rays ring a point half a ray width right of the sun's centre and 2.5
    // units above it; the sun's own turn does not carry over to them.
    glTranslatef(static_cast<float>(texSun->width) * scaleX * 0.5f +
                     static_cast<float>(texSunray->width) * scaleX * 0.5f,
                 static_cast<float>(texSun->height) * scaleY * 0.5f - 2.5f * scaleY, 0.0f);
    bindTexture(texSunray);
    for (const Sprite* ray : sunRays) {
        glPushMatrix();
        rotate(ray->angle);
        glTranslatef(0.0f, ray->y, 0.0f);
        imageQuad(texSunray);
        glPopMatrix();
    }
    glPopMatrix();
}

struct BubblePiece {
    float u, v, du, dv;  // texels of the 256-texel atlas
    float x, y;          // from Santa's origin; x counted from his right edge
};

// In drawing order: the larger pieces first.
static const BubblePiece bubblePieces[4] = {
    {50, 118, 201, 137, 85, -162},  // big
    {142, 33, 38, 42, 47, -42},     // medium
    {76, 39, 30, 25, 17, -22},      // small
    {2, 41, 17, 17, 0, -10},        // dot
};

static void drawBubble()
{
    if (bubbleStage < 0 || bubbleStage > 4)
        return;
    const float santaWidth = static_cast<float>(texSanta->width);
    const int firstPiece = bubbleStage >= 3 ? 0 : 3 - bubbleStage;
    bindTexture(texBalloons);
    for (int k = firstPiece; k < 4; ++k) {
        const BubblePiece& piece = bubblePieces[k];
        glPushMatrix();
        glTranslatef((santaWidth + piece.x) * scaleX, piece.y * scaleY, 0.0f);
        drawAtlasQuad(piece.u / 256.0f, piece.v / 256.0f, piece.du / 256.0f,
                      piece.dv / 256.0f);
        glPopMatrix();
    }
    if (bubbleStage == 4 && quoteIndex >= 0 && quoteIndex < quoteCount) {
        const QuoteOffset& offset = quoteOffsets[quoteIndex];
        glTranslatef((santaWidth + offset.x) * scaleX, offset.y * scaleY, 0.0f);
        glColor3f(0.0f, 0.0f, 0.0f);
        bindTexture(texFont);
        drawText(quotes[quoteIndex]);
    }
}

static void drawLeg(float grey, float angle)
{
    glPushMatrix();
    glColor3f(grey, grey, grey);
    bindTexture(texLeg);
    glTranslatef(30.0f * scaleX, 85.0f * scaleY, 0.0f);
    rotate(angle);
    pivotedImageQuad(texLeg);
    glPopMatrix();
}

static void drawSanta()
{
    glPushMatrix();
    glTranslatef(santa.x, santa.y + santa.bob, 0.0f);
    drawLeg(0.4f, -legs.angle);
    drawLeg(1.0f, legs.angle);
    bindTexture(texSanta);
    imageQuad(texSanta);

    glPushMatrix();
    bindTexture(texHand);
    glTranslatef(25.0f * scaleX, 50.0f * scaleY, 0.0f);
    rotate(hand.angle);
    pivotedImageQuad(texHand);
    glPopMatrix();

    if (bubbleVisible)
        drawBubble();
    glPopMatrix();
    glColor3f(1.0f, 1.0f, 1.0f);
}

static const Texture* tyreTexture(float frame)
{
    const int index = static_cast<int>(frame);
    return texTyres[index >= 0 && index < 4 ? index : 0];
}

static void drawBanner(bool facingRight)
{
    if (bannerLine < 0 || bannerLine >= bannerLineCount)
        return;
    const char* line = bannerLines[bannerLine];
    const float length = static_cast<float>(strnlen(line, sizeof bannerLines[0]));
    const float carWidth = static_cast<float>(texCar->width);
    const float y = (static_cast<float>(texCar->height) + 30.0f) * scaleY * 0.5f;
    if (facingRight)
        glTranslatef(-length * 10.0f * scaleX, y, 0.0f);
    else
        glTranslatef((carWidth + 10.0f) * scaleX, y, 0.0f);
    bindTexture(texFont);
    drawText(line);
}

// A car driving right shows the car image mirrored; its driver sits nearer the
// front, which is then on the right.
static void drawCar(int i, bool facingRight)
{
    const Sprite& car = *cars[i];
    glPushMatrix();
    glTranslatef(car.x, car.y + car.bob, 0.0f);
    bindTexture(texCar);
    if (facingRight)
        mirroredImageQuad(texCar);
    else
        imageQuad(texCar);

    // The tyres stay on the road while the body bobs.
    glPushMatrix();
    glTranslatef(0.0f, -car.bob, 0.0f);
    glTranslatef((facingRight ? 23.0f : 21.0f) * scaleX, 64.0f * scaleY, 0.0f);
    const Texture* tyre = tyreTexture(car.frame);
    bindTexture(tyre);
    mirroredImageQuad(tyre);
    glTranslatef(180.0f * scaleX, 0.0f, 0.0f);
    mirroredImageQuad(tyre);
    glPopMatrix();

    glPushMatrix();
    glTranslatef((facingRight ? 150.0f : 90.0f) * scaleX, 5.0f * scaleY, 0.0f);
    rotate(facingRight ? -carHeads[i]->angle : carHeads[i]->angle);
    bindTexture(texSantaHead);
    if (facingRight)
        mirroredImageQuad(texSantaHead);
    else
        imageQuad(texSantaHead);
    glPopMatrix();

    if (i == bannerCar)
        drawBanner(facingRight);
    glPopMatrix();
}

static void drawSceneFrame()
{
    const float windowHeight = static_cast<float>(glWindow->getHeight());
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    drawSunAndRays();

    glColor3f(0.4f, 0.4f, 0.4f);
    cityStrip(backCityScroll, backCityBlock, 60.0f * scaleY, 420.0f * scaleY);
    glColor3f(1.0f, 1.0f, 1.0f);
    cityStrip(frontCityScroll, frontCityBlock, 0.0f, windowHeight);

    drawSanta();

    for (int i = 0; i < 2; ++i) {
        if (carActive[i] && cars[i]->angle > 0.0f)
            drawCar(i, true);
    }
    glColor3f(1.0f, 1.0f, 1.0f);
    for (int i = 0; i < 2; ++i) {
        if (carActive[i] && cars[i]->angle < 0.0f)
            drawCar(i, false);
    }
}

// The viewport follows the window too: the system sets it only when the context
// is first made current, and a restored or maximised window would otherwise
// show the frame squeezed into its first size.
void resize(int width, int height)
{
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, width, height, 0.0, -1.0, 1.0);
}

void draw()
{
    glClearColor(0.16862746f, 0.70980394f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnable(GL_TEXTURE_2D);
    if (showLogo)
        drawLogoFrame();
    else
        drawSceneFrame();
    glFlush();
}
