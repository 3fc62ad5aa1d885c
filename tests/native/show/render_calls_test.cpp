// The frame's GL calls, recorded: order, nesting, and where every quad lands.
#include "bitmapfont.h"
#include "demotexts.h"
#include "glrecorder.h"
#include "glwindow.h"
#include "media.h"
#include "render.h"
#include "scene.h"
#include "sceneharness.h"
#include "texture.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace {

enum : unsigned int {
    nameTandrix = 1, nameSun, nameSunray, nameLeg, nameSanta, nameHand, nameBalloons,
    nameFont, nameCar, nameCity = 10, nameHead = 15, nameTyre = 20
};

const double sx = 1.25;
const double sy = 1.2500001;
const double tolerance = 1e-3;

void expectPoint(const Point& actual, double x, double y, const char* what)
{
    EXPECT_NEAR(actual.x, x, tolerance) << what;
    EXPECT_NEAR(actual.y, y, tolerance) << what;
}

std::vector<unsigned int> quadTextures()
{
    std::vector<unsigned int> textures;
    for (const RecordedQuad& quad : glRecord.quads)
        textures.push_back(quad.texture);
    return textures;
}

class Frame : public ::testing::Test {
protected:
    void SetUp() override
    {
        SceneSetup setup;
        setup.windowWidth = 800;
        setup.windowHeight = 600;
        setUpScene(setup);
        texTandrix = makeTexture(nameTandrix, 300, 200);
        texSun = makeTexture(nameSun, 64, 64);
        texSunray = makeTexture(nameSunray, 16, 32);
        texLeg = makeTexture(nameLeg, 30, 60);
        texHand = makeTexture(nameHand, 20, 50);
        texBalloons = makeTexture(nameBalloons, 256, 256);
        texFont = makeTexture(nameFont, 256, 256);
        texSantaHead = makeTexture(nameHead, 40, 40);
        for (unsigned int k = 0; k < 5; ++k)
            texCityblocks[k] = makeTexture(nameCity + k, 512, 512);
        for (unsigned int k = 0; k < 4; ++k)
            texTyres[k] = makeTexture(nameTyre + k, 30, 30);
        skipIntro();
        bubbleClock = -1e9f;  // keeps the first bubble away while the tests run updates
        resetGLRecord();
    }
    void TearDown() override
    {
        Texture** singles[] = {&texTandrix, &texSun, &texSunray, &texLeg, &texHand,
                               &texBalloons, &texFont, &texSantaHead};
        for (Texture** texture : singles) {
            delete *texture;
            *texture = nullptr;
        }
        for (Texture*& texture : texCityblocks) {
            delete texture;
            texture = nullptr;
        }
        for (Texture*& texture : texTyres) {
            delete texture;
            texture = nullptr;
        }
        tearDownScene();
    }

    static void drawFrame()
    {
        resetGLRecord();
        draw();
        ASSERT_FALSE(glRecord.stackFault);
        ASSERT_EQ(glRecord.pushDepth, 0) << "every push has its pop within the frame";
    }
    static void placeCar(int i, float x, float y, float speed)
    {
        carActive[i] = 1;
        cars[i]->x = x;
        cars[i]->y = y;
        cars[i]->angle = speed;
    }
};

TEST_F(Frame, ResizeFitsTheViewportAndAWindowPixelProjectionWithYDown)
{
    resize(1000, 700);
    ASSERT_EQ(callNames(), (std::vector<std::string>{"glViewport", "glMatrixMode",
                                                     "glLoadIdentity", "glOrtho"}));
    const double* viewport = glRecord.calls[0].args;
    EXPECT_EQ(viewport[0], 0);
    EXPECT_EQ(viewport[1], 0);
    EXPECT_EQ(viewport[2], 1000);
    EXPECT_EQ(viewport[3], 700);
    EXPECT_EQ(glRecord.calls[1].args[0], GL_PROJECTION);
    const double* ortho = glRecord.calls[3].args;
    EXPECT_EQ(ortho[0], 0);
    EXPECT_EQ(ortho[1], 1000);
    EXPECT_EQ(ortho[2], 700);
    EXPECT_EQ(ortho[3], 0);
    EXPECT_EQ(ortho[4], -1);
    EXPECT_EQ(ortho[5], 1);
}

TEST_F(Frame, EveryFrameClearsToTheSkyResetsTheModelviewAndFlushesLast)
{
    showLogo = 1;
    drawFrame();
    const std::vector<std::string> names = callNames();
    ASSERT_GE(names.size(), 6u);
    EXPECT_EQ(std::vector<std::string>(names.begin(), names.begin() + 5),
              (std::vector<std::string>{"glClearColor", "glClear", "glMatrixMode",
                                        "glLoadIdentity", "glEnable"}));
    EXPECT_EQ(names.back(), "glFlush");
    EXPECT_FLOAT_EQ(glRecord.calls[0].args[0], 43.0f / 255);
    EXPECT_FLOAT_EQ(glRecord.calls[0].args[1], 181.0f / 255);
    EXPECT_EQ(glRecord.calls[0].args[2], 1.0);
    EXPECT_EQ(glRecord.calls[1].args[0], GL_COLOR_BUFFER_BIT);
    EXPECT_EQ(glRecord.calls[2].args[0], GL_MODELVIEW);
    EXPECT_EQ(glRecord.calls[4].args[0], GL_TEXTURE_2D);
}

TEST_F(Frame, LogoFrameIsOneQuadAt160UnitsCentredVerticallyWithTheFadeAsAlpha)
{
    showLogo = 1;
    logoAlpha = 0.25f;
    drawFrame();
    ASSERT_EQ(glRecord.quads.size(), 1u);
    const RecordedQuad& logo = glRecord.quads[0];
    EXPECT_EQ(logo.texture, nameTandrix);
    EXPECT_EQ(logo.color[3], 0.25f);
    EXPECT_EQ(glRecord.maxPushDepth, 0);
    const double top = (600 - 200 * sy) * 0.5;
    expectPoint(logo.vertices[0], 160 * sx, top, "top left");
    expectPoint(logo.vertices[2], 160 * sx + 300 * sx, top + 200 * sy, "bottom right");
    expectPoint(logo.texCoords[0], 0, 200.0 / 256, "top left s, t");
    expectPoint(logo.texCoords[2], 300.0 / 512, 0, "bottom right s, t");
}

TEST_F(Frame, SceneLayersComeBackToFrontWithTheirTexturesAndTints)
{
    showLogo = 0;
    bubbleVisible = 1;
    bubbleStage = 4;
    quoteIndex = 3;  // "Yo!"
    placeCar(0, 300, 400, -1.0f);
    placeCar(1, 100, 380, 1.0f);
    cars[1]->frame = 3.0f;
    bannerCar = 1;
    bannerLine = 5;  // "and Tuck on bass.": 14 glyphs
    drawFrame();

    std::vector<unsigned int> expected = {nameSun};
    expected.insert(expected.end(), 8, nameSunray);
    expected.insert(expected.end(), {nameCity + 4, nameCity + 0, nameCity + 1});  // back, block 4
    expected.insert(expected.end(), {nameCity + 0, nameCity + 1, nameCity + 2});  // front, block 0
    expected.insert(expected.end(), {nameLeg, nameLeg, nameSanta, nameHand});
    expected.insert(expected.end(), 4, nameBalloons);
    expected.insert(expected.end(), 3, nameFont);
    // The car driving right is drawn first though it has the higher slot.
    expected.insert(expected.end(), {nameCar, nameTyre + 3, nameTyre + 3, nameHead});
    expected.insert(expected.end(), 14, nameFont);
    expected.insert(expected.end(), {nameCar, nameTyre, nameTyre, nameHead});
    EXPECT_EQ(quadTextures(), expected);
    EXPECT_LE(glRecord.maxPushDepth, 2);

    const std::vector<RecordedQuad>& q = glRecord.quads;
    EXPECT_FLOAT_EQ(q[9].color[0], 0.4f) << "back city is grey";
    EXPECT_FLOAT_EQ(q[12].color[0], 1.0f) << "front city is white";
    EXPECT_FLOAT_EQ(q[15].color[0], 0.4f) << "back leg is grey";
    EXPECT_FLOAT_EQ(q[16].color[0], 1.0f);
    EXPECT_FLOAT_EQ(q[17].color[0], 1.0f) << "the body takes the front leg's white";
    for (int k = 23; k < 26; ++k)
        EXPECT_EQ(q[k].color[0] + q[k].color[1] + q[k].color[2], 0.0f) << "quote glyph " << k;
    EXPECT_EQ(q[30].texture, nameFont);
    EXPECT_EQ(q[30].color[0], 1.0f) << "banner text is white";
}

TEST_F(Frame, SantaHangsHisLegsAndHandFromTheirJointsAndCarriesTheBubble)
{
    showLogo = 0;
    santa.x = 50;
    santa.y = 275;
    santa.bob = 3;
    legs.angle = 0;
    hand.angle = 90;
    bubbleVisible = 1;
    bubbleStage = 4;
    quoteIndex = 3;
    drawFrame();
    const std::vector<RecordedQuad>& q = glRecord.quads;
    ASSERT_EQ(q.size(), 26u);
    const double ox = 50, oy = 278;
    expectPoint(q[15].vertices[0], ox + 30 * sx - 15 * sx, oy + 85 * sy - 15 * sy, "back leg");
    expectPoint(q[16].vertices[2], ox + 30 * sx + 15 * sx, oy + 85 * sy + 45 * sy, "front leg");
    expectPoint(q[17].vertices[0], ox, oy, "body");
    expectPoint(q[17].vertices[2], ox + 120 * sx, oy + 160 * sy, "body");
    // A quarter turn clockwise swings the hand's local x axis straight down.
    expectPoint(q[18].vertices[0], ox + 25 * sx + 12.5 * sy, oy + 50 * sy - 10 * sx, "hand");

    // Pieces big, medium, small, dot, each from Santa's right edge: position,
    // size, then the atlas region (u, v its left and lower edge), in texels.
    const double pieces[4][6] = {{85, -162, 201, 137, 50, 118}, {47, -42, 38, 42, 142, 33},
                                 {17, -22, 30, 25, 76, 39}, {0, -10, 17, 17, 2, 41}};
    for (int k = 0; k < 4; ++k) {
        const RecordedQuad& piece = q[19 + k];
        const double* p = pieces[k];
        const double x = ox + (120 + p[0]) * sx;
        const double y = oy + p[1] * sy;
        expectPoint(piece.vertices[0], x, y, "piece top left");
        expectPoint(piece.vertices[2], x + p[2] * sx, y + p[3] * sy, "piece bottom right");
        expectPoint(piece.texCoords[0], p[4] / 256, (p[5] + p[3]) / 256, "upper edge on top");
        expectPoint(piece.texCoords[2], (p[4] + p[2]) / 256, p[5] / 256, "lower edge at the bottom");
    }

    // "Yo!" starts at (w + 175, -100) from Santa's origin; Y rises 3 above the pen.
    expectPoint(q[23].vertices[0], ox + (120 + 175) * sx, oy - 100 * sy - 3 * sy, "Y");
    expectPoint(q[24].vertices[0], ox + (120 + 175 + 12) * sx, oy - 100 * sy, "o");
}

TEST_F(Frame, BubbleStagesBuildUpPieceByPieceAndOddStagesDrawNothing)
{
    showLogo = 0;
    quoteIndex = 0;
    const struct {
        int visible;
        int stage;
        size_t balloonQuads;
        bool text;
    } cases[] = {
        {1, -1, 0, false}, {1, 5, 0, false}, {0, 3, 0, false}, {0, 4, 0, false},
        {1, 0, 1, false},  {1, 1, 2, false}, {1, 2, 3, false}, {1, 3, 4, false},
        {1, 4, 4, true},
    };
    for (const auto& c : cases) {
        bubbleVisible = c.visible;
        bubbleStage = c.stage;
        drawFrame();
        size_t balloons = 0;
        size_t glyphQuads = 0;
        for (const RecordedQuad& quad : glRecord.quads) {
            balloons += quad.texture == nameBalloons;
            glyphQuads += quad.texture == nameFont;
        }
        EXPECT_EQ(balloons, c.balloonQuads) << "visible " << c.visible << " stage " << c.stage;
        EXPECT_EQ(glyphQuads > 0, c.text) << "visible " << c.visible << " stage " << c.stage;
    }
}

TEST_F(Frame, CityStripAtScrollZeroAndCloseTo512)
{
    showLogo = 0;
    frontCityScroll = 0;
    frontCityBlock = 3;
    drawFrame();
    const std::vector<RecordedQuad>& q = glRecord.quads;
    EXPECT_EQ(q[12].texture, nameCity + 3);
    EXPECT_EQ(q[13].texture, nameCity + 4);
    EXPECT_EQ(q[14].texture, nameCity + 0);
    expectPoint(q[12].vertices[0], 0, 0, "first block whole from x = 0");
    expectPoint(q[12].vertices[2], 512 * sx, 600, "front layer spans the window height");
    expectPoint(q[12].texCoords[0], 0, 1, "");
    expectPoint(q[13].vertices[1], 1024 * sx, 0, "second block");
    // The third block lies wholly beyond the right edge, reversed.
    expectPoint(q[14].vertices[0], 1024 * sx, 0, "third block's left edge");
    expectPoint(q[14].vertices[1], 800, 0, "third block's right edge");
    expectPoint(q[14].texCoords[1], (800 - 1024 * sx) / (512 * sx), 1, "");

    frontCityScroll = 511.5f;
    backCityScroll = 256.0f;
    drawFrame();
    expectPoint(q[12].vertices[1], 0.5 * sx, 0, "a sliver of the first block");
    expectPoint(q[12].texCoords[0], 511.5 / 512, 1, "");
    expectPoint(q[14].vertices[2], 800, 600, "the row ends at the right edge");
    expectPoint(q[14].texCoords[1], (800 - 512.5 * sx) / (512 * sx), 1, "");
    expectPoint(q[9].vertices[0], 0, 60 * sy, "back layer top");
    expectPoint(q[9].vertices[2], 256 * sx, 420 * sy, "back layer bottom");
    expectPoint(q[9].texCoords[0], 0.5, 1, "");
}

TEST_F(Frame, SunRaysRingTheirCentreAndTurnClockwise)
{
    showLogo = 0;
    sun.x = 600;
    sun.y = 50;
    sun.angle = 0;
    for (int k = 0; k < 8; ++k) {
        sunRays[k]->angle = 90.0f * (k % 4);
        sunRays[k]->y = 40;
    }
    drawFrame();
    const std::vector<RecordedQuad>& q = glRecord.quads;
    expectPoint(q[0].vertices[0], 600, 50, "sun");
    const double cx = 600 + 32 * sx + 8 * sx;
    const double cy = 50 + 32 * sy - 2.5 * sy;
    expectPoint(q[1].vertices[0], cx, cy + 40, "ray at 0 degrees hangs below the centre");
    expectPoint(q[2].vertices[0], cx - 40, cy, "ray at 90 degrees points left");
    expectPoint(q[3].vertices[0], cx, cy - 40, "ray at 180 degrees points up");
}

// Every part with a non-zero angle turns about its own joint by its own angle:
// the sun about its corner, each ray about the ray centre without the sun's
// turn, the back leg by -angle and the front leg by +angle, the driver's head
// by -angle facing right and +angle facing left.
TEST_F(Frame, NonZeroAnglesTurnEachPartAboutItsOwnJoint)
{
    showLogo = 0;
    sun.x = 600;
    sun.y = 50;
    sun.angle = 7;
    for (int k = 0; k < 8; ++k) {
        sunRays[k]->angle = 45.0f * k + 3;
        sunRays[k]->y = 50;
    }
    santa.x = 50;
    santa.y = 275;
    santa.bob = 0;
    legs.angle = 20;
    placeCar(0, 200, 400, 1.5f);
    placeCar(1, 500, 420, -0.8f);
    carHeads[0]->angle = 12;
    carHeads[1]->angle = 12;
    bannerCar = -1;
    drawFrame();
    const std::vector<RecordedQuad>& q = glRecord.quads;
    ASSERT_EQ(q.size(), 27u);

    auto turned = [](double px, double py, double x, double y, double degrees) {
        const double a = degrees * 3.14159265358979 / 180;
        return Point{px + x * std::cos(a) - y * std::sin(a), py + x * std::sin(a) + y * std::cos(a)};
    };
    const double rayX = 600 + 32 * sx + 8 * sx, rayY = 50 + 32 * sy - 2.5 * sy;
    const double hipX = 50 + 30 * sx, hipY = 275 + 85 * sy;
    const struct {
        const char* part;
        size_t quad;
        int vertex;
        double pivotX, pivotY, localX, localY, degrees;
    } parts[] = {
        {"sun", 0, 2, 600, 50, 64 * sx, 64 * sy, 7},
        {"ray 0", 1, 0, rayX, rayY, 0, 50, 3},
        {"ray 3", 4, 2, rayX, rayY, 16 * sx, 50 + 32 * sy, 138},
        {"back leg", 15, 0, hipX, hipY, -15 * sx, -15 * sy, -20},
        {"front leg", 16, 0, hipX, hipY, -15 * sx, -15 * sy, 20},
        {"head facing right", 22, 2, 200 + 150 * sx, 400 + 5 * sy, 40 * sx, 40 * sy, -12},
        {"head facing left", 26, 2, 500 + 90 * sx, 420 + 5 * sy, 40 * sx, 40 * sy, 12},
    };
    for (const auto& p : parts) {
        const Point expected = turned(p.pivotX, p.pivotY, p.localX, p.localY, p.degrees);
        expectPoint(q[p.quad].vertices[p.vertex], expected.x, expected.y, p.part);
    }
}

TEST_F(Frame, CarsFaceTheirWayTyresStayOnTheRoadAndBannersTrail)
{
    showLogo = 0;
    bannerLine = 4;  // 60 characters
    placeCar(0, 200, 400, 1.5f);
    cars[0]->bob = 2;
    bannerCar = 0;
    drawFrame();
    std::vector<RecordedQuad> q(glRecord.quads.begin() + 19, glRecord.quads.end());
    ASSERT_GE(q.size(), 5u);
    expectPoint(q[0].vertices[0], 200, 402, "body bobs");
    expectPoint(q[0].texCoords[0], 240.0 / 256, 90.0 / 128, "driving right: mirrored");
    expectPoint(q[1].vertices[0], 200 + 23 * sx, 400 + 64 * sy, "front tyre without the bob");
    expectPoint(q[2].vertices[0], 200 + 203 * sx, 400 + 64 * sy, "rear tyre");
    expectPoint(q[1].texCoords[0], 30.0 / 32, 30.0 / 32, "tyres are mirrored");
    expectPoint(q[3].vertices[0], 200 + 150 * sx, 402 + 5 * sy, "head");
    // The first banner glyph 'E' starts 600 units left of the car.
    expectPoint(q[4].vertices[0], 200 - 600 * sx, 402 + 60 * sy - 3 * sy, "banner");

    placeCar(0, 500, 420, -0.8f);
    cars[0]->bob = 0;
    carHeads[0]->angle = 0;
    drawFrame();
    q.assign(glRecord.quads.begin() + 19, glRecord.quads.end());
    ASSERT_GE(q.size(), 5u);
    expectPoint(q[0].texCoords[0], 0, 90.0 / 128, "driving left: as stored");
    expectPoint(q[1].vertices[0], 500 + 21 * sx, 420 + 64 * sy, "front tyre");
    expectPoint(q[1].texCoords[0], 30.0 / 32, 30.0 / 32, "tyres are mirrored both ways");
    expectPoint(q[3].vertices[0], 500 + 90 * sx, 420 + 5 * sy, "head");
    expectPoint(q[3].texCoords[0], 0, 40.0 / 64, "head as stored");
    expectPoint(q[4].vertices[0], 500 + 250 * sx, 420 + 60 * sy - 3 * sy, "banner behind");
}

TEST_F(Frame, CarsStandingStillOrInactiveAreNotDrawnNorIsABannerWithoutItsCar)
{
    showLogo = 0;
    bannerLine = 1;
    placeCar(0, 200, 400, 0.0f);
    placeCar(1, 100, 400, 1.0f);
    carActive[1] = 0;
    bannerCar = 0;
    drawFrame();
    EXPECT_EQ(glRecord.quads.size(), 19u) << "nothing after the hand";

    placeCar(1, 100, 400, 1.0f);
    bannerCar = -1;
    drawFrame();
    EXPECT_EQ(glRecord.quads.size(), 19u + 4u) << "one car, no banner";
}

TEST_F(Frame, CarsFacingTheSameWayAreDrawnInSlotOrder)
{
    showLogo = 0;
    placeCar(0, 300, 400, -1.0f);
    placeCar(1, 100, 380, -2.0f);
    drawFrame();
    ASSERT_EQ(glRecord.quads.size(), 19u + 8u);
    expectPoint(glRecord.quads[19].vertices[0], 300, 400, "slot 0 first");
    expectPoint(glRecord.quads[23].vertices[0], 100, 380, "then slot 1");
}

class Text : public Frame {
protected:
    static Point drawn(const char* text)
    {
        resetGLRecord();
        drawText(text);
        return currentTransform(0, 0);
    }
};

TEST_F(Text, EmptyTextDrawsNothingAndLeavesTheOrigin)
{
    drawn("");
    EXPECT_TRUE(glRecord.calls.empty());
}

TEST_F(Text, GlyphsTouchAndTheOriginEndsAfterTheLastAdvance)
{
    const Point end = drawn("ab");
    ASSERT_EQ(glRecord.quads.size(), 2u);
    expectPoint(glRecord.quads[0].vertices[0], 0, 0, "a");
    expectPoint(glRecord.quads[0].vertices[2], 10 * sx, 11 * sy, "a");
    expectPoint(glRecord.quads[1].vertices[0], 10 * sx, -4 * sy, "b rises 4 above the pen");
    expectPoint(end, 21 * sx, 0, "end");
    EXPECT_EQ(glRecord.pushDepth, 0);
}

TEST_F(Text, BytesWithoutAGlyphAreSkippedWithoutRoom)
{
    const Point end = drawn("Red\x80\xff");
    ASSERT_EQ(glRecord.quads.size(), 2u);
    expectPoint(glRecord.quads[0].vertices[0], 0, 0, "e at the origin");
    expectPoint(glRecord.quads[1].vertices[0], 11 * sx, -4 * sy, "d");
    expectPoint(end, 21 * sx, 0, "end");
}

TEST_F(Text, SpacesAndLineFeedsMoveThePen)
{
    Point end = drawn("  ");
    EXPECT_TRUE(glRecord.quads.empty());
    expectPoint(end, 20 * sx, 0, "two spaces");

    end = drawn("  ab\nc");
    ASSERT_EQ(glRecord.quads.size(), 3u);
    expectPoint(glRecord.quads[2].vertices[0], 0, 20 * sy, "c starts the next line at x 0");
    expectPoint(end, 10 * sx, 20 * sy, "end");

    end = drawn("a\n");
    expectPoint(end, 0, 20 * sy, "a final line feed");
}

TEST_F(Text, GlyphTextureRegionsFollowTheSheetRows)
{
    drawn("8g");
    ASSERT_EQ(glRecord.quads.size(), 2u);
    const RecordedQuad& eight = glRecord.quads[0];
    expectPoint(eight.texCoords[0], 16.4 / 256, (255.0 - 84 + 15) / 256, "8 top left");
    expectPoint(eight.texCoords[2], 26.4 / 256, (255.0 - 84) / 256, "8 bottom right");
    const RecordedQuad& g = glRecord.quads[1];
    expectPoint(g.texCoords[3], 66.0 / 256, (255.0 - 21) / 256, "g bottom left");
    expectPoint(g.vertices[0], 10 * sx, 0, "g hangs from the pen line");
    expectPoint(g.vertices[2], 20 * sx, 14 * sy, "");
}

TEST_F(Text, ThreeLineQuoteIndentsByItsLeadingSpaces)
{
    drawn(quotes[5]);  // "Man, you come\n right out of a\n  comic book"
    const std::vector<RecordedQuad>& q = glRecord.quads;
    ASSERT_EQ(q.size(), 11u + 11u + 9u);
    expectPoint(q[11].vertices[0], 10 * sx, 20 * sy, "r, indented by one space");
    expectPoint(q[22].vertices[0], 20 * sx, 40 * sy, "c, indented by two");
}

TEST(GlyphTable, HoldsEachCharacterOnceAndOnlyTheDesignedSet)
{
    std::string expected = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJLMNOPSTWY.,!-\"0123456789";
    ASSERT_EQ(expected.size(), static_cast<size_t>(glyphCount));
    for (int row = 0; row < glyphCount; ++row) {
        const Glyph& glyph = glyphs[row];
        EXPECT_EQ(glyph.character, static_cast<unsigned char>(expected[row])) << "row " << row;
        EXPECT_GT(glyph.width, 0);
        EXPECT_GT(glyph.height, 0);
        EXPECT_LE(glyph.texX + glyph.width, 256) << "row " << row;
        EXPECT_GE(255 - glyph.texY, 0) << "row " << row;
    }
}

TEST(DemoTexts, SlotsHoldTheirTextsNulTerminatedAndZeroPadded)
{
    const size_t quoteLengths[quoteCount] = {24, 25, 30, 3, 20, 42, 16, 15, 10, 11};
    for (int k = 0; k < quoteCount; ++k) {
        EXPECT_EQ(strnlen(quotes[k], 48), quoteLengths[k]) << "quote " << k;
        for (size_t b = quoteLengths[k]; b < 48; ++b)
            ASSERT_EQ(quotes[k][b], 0) << "quote " << k << " byte " << b;
    }
    const size_t bannerLengths[bannerLineCount] = {0,  38, 49, 36, 60, 17, 0, 0, 37, 43, 42,
                                                   0,  56, 0,  27, 18, 0,  0, 0, 29, 0,  0};
    for (int k = 0; k < bannerLineCount; ++k) {
        EXPECT_EQ(strnlen(bannerLines[k], 64), bannerLengths[k]) << "line " << k;
        for (size_t b = bannerLengths[k]; b < 64; ++b)
            ASSERT_EQ(bannerLines[k][b], 0) << "line " << k << " byte " << b;
    }
    EXPECT_STREQ(bannerLines[2], "On vocals we got Barnabus \"Sweet Beans\" Holloway,");
    EXPECT_EQ(quoteOffsets[2].x, 121.0f);
    EXPECT_EQ(quoteOffsets[3].x, 175.0f);
    EXPECT_EQ(quoteOffsets[4].x, 94.0f);
    EXPECT_EQ(quoteOffsets[5].y, -120.0f);
}

// Checksums of the tables as the design gives them, worked out from the design's
// own tables: FNV-1a (64 bits) over each glyph row printed as
// "%d %g %g %g %g %g\n", over the quote slots (10 x 48 bytes) and the banner
// slots (22 x 64 bytes) byte for byte, and over the quote offsets printed as
// "%g %g\n". Any changed value, glyph row, character or padding byte shows.
uint64_t fnv1a(const void* data, size_t size, uint64_t hash = 0xcbf29ce484222325ull)
{
    const unsigned char* bytes = static_cast<const unsigned char*>(data);
    for (size_t k = 0; k < size; ++k)
        hash = (hash ^ bytes[k]) * 0x100000001b3ull;
    return hash;
}

TEST(TextTables, MatchTheDesignByteForByte)
{
    uint64_t glyphSum = fnv1a(nullptr, 0);
    for (const Glyph& g : glyphs) {
        char row[128];
        const int length = std::snprintf(row, sizeof row, "%d %g %g %g %g %g\n", g.character, g.texX,
                                         g.texY, g.width, g.height, g.offsetY);
        glyphSum = fnv1a(row, size_t(length), glyphSum);
    }
    uint64_t offsetSum = fnv1a(nullptr, 0);
    for (const QuoteOffset& offset : quoteOffsets) {
        char row[64];
        const int length = std::snprintf(row, sizeof row, "%g %g\n", offset.x, offset.y);
        offsetSum = fnv1a(row, size_t(length), offsetSum);
    }
    const struct {
        const char* table;
        uint64_t sum;
        uint64_t expected;
    } tables[] = {
        {"glyphs", glyphSum, 0x5ac7f4b853b9c7faull},
        {"quotes", fnv1a(quotes, sizeof quotes), 0xb191214c90156fc3ull},
        {"quote offsets", offsetSum, 0x7b562340107cbceaull},
        {"banner lines", fnv1a(bannerLines, sizeof bannerLines), 0x4d9895f352574fbcull},
    };
    for (const auto& t : tables)
        EXPECT_EQ(t.sum, t.expected) << t.table << std::hex << ": 0x" << t.sum;
}

}  // namespace
