// Checks the built snowgig.dat against what the program does with it: every
// file it loads is there, each picture has the size and layout the frame
// drawing relies on, and the tune has the format the sound library plays.
#include "bitmapfont.h"
#include "demotexts.h"
#include "packcontents.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

const char* const imageNames[] = {
    "tdx.tga",   "balloons.tga", "font.tga",  "santa.tga", "santa-head.tga", "hand.tga",
    "leg.tga",   "car.tga",      "tyre0.tga", "tyre1.tga", "tyre2.tga",      "tyre3.tga",
    "sun.tga",   "sunray.tga",   "city0.tga", "city1.tga", "city2.tga",      "city3.tga",
    "city4.tga"};
const char* const tuneName = "gimme_64k.mp3";

// Where the frame puts things on the 640 x 480 screen the pictures are made for.
const float santaTop = 220;
const float hipY = 85;
const float screenHeight = 480;
const float cityRowsPerPixel = 512.0f / 480.0f;  // the front layer spans the screen
const int tyreTop = 64;
const int tyreSpacing = 180;
const int tyreLeftDriving = 21;
const int tyreRightDriving = 23;
const int headLeftDriving = 90;
const int headRightDriving = 150;
const int headTop = 5;

struct Region {
    int u, v, du, dv;  // texels; v counted from the first stored row
};
const Region bubbleDot{2, 41, 17, 17};
const Region bubbleSmall{76, 39, 30, 25};
const Region bubbleMedium{142, 33, 38, 42};
const Region bubbleBig{50, 118, 201, 137};
const int bigBubbleX = 85;  // right of Santa's image
const int bigBubbleY = -162;

std::string folded(std::string name)
{
    for (char& c : name)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return name;
}

float luminance(const Rgba& t)
{
    return (0.299f * float(t.r) + 0.587f * float(t.g) + 0.114f * float(t.b)) / 255.0f;
}

float rowLuminance(const Texture& city, uint32_t row)
{
    float sum = 0;
    for (uint32_t x = 0; x < city.width; ++x)
        sum += luminance(texelFromTop(city, x, row));
    return sum / float(city.width);
}

bool anyInk(const Texture& t, int x0, int y0, int w, int h)
{
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x)
            if (texelFromTop(t, uint32_t(x), uint32_t(y)).a > 0)
                return true;
    return false;
}

// Walks the run-length packets of a type-10 TGA; false if a packet crosses
// the end of a row or the data ends early.
bool runsEndWithTheirRows(const std::vector<unsigned char>& tga, int width, int height)
{
    size_t at = 18 + tga[0];
    for (int row = 0; row < height; ++row) {
        int filled = 0;
        while (filled < width) {
            if (at >= tga.size())
                return false;
            const int count = (tga[at] & 0x7F) + 1;
            at += 1 + ((tga[at] & 0x80) ? 4 : 4 * size_t(count));
            filled += count;
        }
        if (filled != width)
            return false;
    }
    return at <= tga.size();
}

TEST(Pack, HoldsEveryFileTheProgramLoadsOnceAndInsideTheFile)
{
    const std::vector<PackRecord> directory = packDirectory();
    ASSERT_FALSE(directory.empty()) << "cannot read " << SNOWGIG_DATA_PACK;
    std::set<std::string> names;
    for (const PackRecord& record : directory) {
        EXPECT_LT(record.name.size(), 32u);
        EXPECT_TRUE(names.insert(folded(record.name)).second) << record.name << " twice";
        EXPECT_GE(record.offset, int32_t(4 + 40 * directory.size())) << record.name;
        EXPECT_GT(record.size, 0) << record.name;
        EXPECT_LE(int64_t(record.offset) + record.size, int64_t(packBytes().size())) << record.name;
    }
    for (const char* name : imageNames)
        EXPECT_EQ(names.count(name), 1u) << name << " is missing";
    EXPECT_EQ(names.count(tuneName), 1u);
    EXPECT_EQ(directory.size(), std::size(imageNames) + 1);
}

TEST(Pictures, AreTrueColourWithAlphaStoredBottomUpWithRunsEndingAtRowEnds)
{
    for (const char* name : imageNames) {
        SCOPED_TRACE(name);
        const std::vector<unsigned char> tga = entryBytes(name);
        ASSERT_GE(tga.size(), 18u);
        EXPECT_EQ(tga[1], 0) << "colour map";
        EXPECT_TRUE(tga[2] == 2 || tga[2] == 10) << "image type " << int(tga[2]);
        EXPECT_EQ(tga[16], 32) << "depth";
        EXPECT_EQ(tga[17], 8) << "eight alpha bits, origin bottom-left";
        const int width = tga[12] | tga[13] << 8;
        const int height = tga[14] | tga[15] << 8;
        if (tga[2] == 10) {
            EXPECT_TRUE(runsEndWithTheirRows(tga, width, height));
        } else {
            EXPECT_EQ(tga.size(), 18u + tga[0] + size_t(width) * size_t(height) * 4);
        }
        const std::unique_ptr<Texture> texture = loadPicture(name);
        ASSERT_TRUE(texture) << "the program's loader refuses it";
        EXPECT_EQ(texture->width, uint32_t(width));
        EXPECT_EQ(texture->height, uint32_t(height));
    }
}

TEST(Pictures, HaveTheSizesTheDrawingIsLaidOutFor)
{
    for (const char* name : {"city0.tga", "city1.tga", "city2.tga", "city3.tga", "city4.tga"}) {
        const std::unique_ptr<Texture> city = loadPicture(name);
        ASSERT_TRUE(city) << name;
        EXPECT_EQ(city->width, 512u) << name;
        EXPECT_EQ(city->height, 512u) << name;
    }
    for (const char* name : {"font.tga", "balloons.tga"}) {
        const std::unique_ptr<Texture> atlas = loadPicture(name);
        ASSERT_TRUE(atlas) << name;
        EXPECT_EQ(atlas->width, 256u) << name;
        EXPECT_EQ(atlas->height, 256u) << name;
    }
    // The logo stands at x = 160: 320 wide, it is centred on the screen.
    const std::unique_ptr<Texture> logo = loadPicture("tdx.tga");
    ASSERT_TRUE(logo);
    EXPECT_EQ(logo->width, 320u);
    EXPECT_LE(logo->height, 480u);
    // Santa walks in from the left and stops in the middle: a body much wider
    // would walk in from too far away and stand too far left.
    const std::unique_ptr<Texture> santa = loadPicture("santa.tga");
    ASSERT_TRUE(santa);
    EXPECT_GE(santa->width, 40u);
    EXPECT_LE(santa->width, 120u);
    EXPECT_GT(santa->height, uint32_t(hipY));
}

TEST(Pictures, SpritesAreTransparentAtTheirEdgesAndCitySkiesAreEmpty)
{
    for (const char* name : {"tdx.tga", "balloons.tga", "font.tga", "santa.tga", "santa-head.tga",
                             "hand.tga", "leg.tga", "car.tga", "tyre0.tga", "tyre1.tga",
                             "tyre2.tga", "tyre3.tga", "sun.tga", "sunray.tga"}) {
        const std::unique_ptr<Texture> t = loadPicture(name);
        ASSERT_TRUE(t) << name;
        const uint32_t right = t->width - 1, bottom = t->height - 1;
        EXPECT_EQ(texelFromTop(*t, 0, 0).a, 0) << name << " top left";
        EXPECT_EQ(texelFromTop(*t, right, 0).a, 0) << name << " top right";
        EXPECT_EQ(texelFromTop(*t, 0, bottom).a, 0) << name << " bottom left";
        EXPECT_EQ(texelFromTop(*t, right, bottom).a, 0) << name << " bottom right";
    }
    for (const char* name : {"city0.tga", "city1.tga", "city2.tga", "city3.tga", "city4.tga"}) {
        const std::unique_ptr<Texture> city = loadPicture(name);
        ASSERT_TRUE(city) << name;
        EXPECT_FALSE(anyInk(*city, 0, 0, 512, 40)) << name << ": the sky is not clear";
    }
}

TEST(City, GroundIsTheSameInEveryBlockSoTheRingJoinsWithoutASeam)
{
    std::vector<std::unique_ptr<Texture>> blocks;
    for (const char* name : {"city0.tga", "city1.tga", "city2.tga", "city3.tga", "city4.tga"}) {
        blocks.push_back(loadPicture(name));
        ASSERT_TRUE(blocks.back()) << name;
    }
    const std::unique_ptr<Texture> leg = loadPicture("leg.tga");
    ASSERT_TRUE(leg);
    // From the row under Santa's feet to the bottom every block is opaque,
    // and the ground's outer columns on either side are equal in all blocks,
    // so any block may follow any other; a crossing, a drain or a manhole of
    // one block stands between them.
    const uint32_t edge = 32;
    const float feetY = santaTop + hipY + 0.75f * float(leg->height);
    const uint32_t feetRow = uint32_t(std::ceil(feetY * cityRowsPerPixel));
    int transparent = 0;
    int differing = 0;
    for (uint32_t row = feetRow; row < 512; ++row)
        for (uint32_t x = 0; x < 512; ++x) {
            for (const auto& block : blocks)
                if (texelFromTop(*block, x, row).a != 255)
                    ++transparent;
            if (x >= edge && x < 512 - edge)
                continue;
            const Rgba first = texelFromTop(*blocks[0], x, row);
            for (size_t b = 1; b < blocks.size(); ++b) {
                const Rgba other = texelFromTop(*blocks[b], x, row);
                if (other.r != first.r || other.g != first.g || other.b != first.b || other.a != first.a)
                    ++differing;
            }
        }
    EXPECT_EQ(transparent, 0);
    EXPECT_EQ(differing, 0);
    // Across a join the ground runs on as it does within a block: its outer
    // columns repeat the columns one pattern period further in, so a pattern
    // cut at the edge or whose period does not divide 512 shows no seam.
    const uint32_t period = 64;
    int seams = 0;
    for (const auto& block : blocks)
        for (uint32_t row = feetRow; row < 512; ++row)
            for (uint32_t x = 0; x < edge; ++x)
                for (const auto& [outer, inner] : {std::pair{x, x + period},
                                                   std::pair{511 - x, 511 - x - period}}) {
                    const Rgba a = texelFromTop(*block, outer, row);
                    const Rgba b = texelFromTop(*block, inner, row);
                    if (a.r != b.r || a.g != b.g || a.b != b.b)
                        ++seams;
                }
    EXPECT_EQ(seams, 0);
    // Every block's buildings reach both side edges just above the pavement,
    // so no gap opens at a join.
    for (const auto& block : blocks)
        for (uint32_t x : {0u, 511u})
            EXPECT_EQ(texelFromTop(*block, x, feetRow - 30).a, 255);
}

// A faint texel in a block's sky with nothing solid near it is a shadow or a
// texture that spilled past its wall: drawn tinted in the back row it shows
// as a dark smudge in the sky. The edges of shapes are faint too, but always
// beside solid texels.
TEST(City, SkiesHoldNoFaintSmudgesAwayFromTheBuildings)
{
    const int reach = 2;
    for (const char* name : {"city0.tga", "city1.tga", "city2.tga", "city3.tga", "city4.tga"}) {
        const std::unique_ptr<Texture> city = loadPicture(name);
        ASSERT_TRUE(city) << name;
        int smudges = 0;
        for (int y = reach; y < 352; ++y)
            for (int x = reach; x < 512 - reach; ++x) {
                const uint8_t a = texelFromTop(*city, uint32_t(x), uint32_t(y)).a;
                if (a == 0 || a >= 96)
                    continue;
                bool nearSolid = false;
                for (int dy = -reach; dy <= reach && !nearSolid; ++dy)
                    for (int dx = -reach; dx <= reach && !nearSolid; ++dx)
                        nearSolid = texelFromTop(*city, uint32_t(x + dx), uint32_t(y + dy)).a >= 200;
                if (!nearSolid)
                    ++smudges;
            }
        EXPECT_EQ(smudges, 0) << name;
    }
}

TEST(City, SantaWalksOnThePavementAndTheCarsDriveOnTheStreet)
{
    const std::unique_ptr<Texture> city = loadPicture("city0.tga");
    const std::unique_ptr<Texture> leg = loadPicture("leg.tga");
    const std::unique_ptr<Texture> car = loadPicture("car.tga");
    ASSERT_TRUE(city && leg && car);
    const float asphalt = 0.3f;  // the street is darker than the pavement
    const float feetY = santaTop + hipY + 0.75f * float(leg->height);
    for (float bob : {-4.0f, 0.0f, 4.0f}) {
        const uint32_t row = uint32_t((feetY + bob) * cityRowsPerPixel);
        EXPECT_GT(rowLuminance(*city, row), asphalt) << "feet at y " << feetY + bob;
    }
    // A car's tyres end on the picture's bottom row; the lanes put that row
    // 100 or 90 px above the bottom of the screen driving right, 50 or 40
    // driving left.
    for (float gap : {100.0f, 90.0f, 50.0f, 40.0f}) {
        const uint32_t row = uint32_t((screenHeight - gap) * cityRowsPerPixel);
        EXPECT_LT(rowLuminance(*city, row), asphalt) << "tyres at y " << screenHeight - gap;
    }
}

TEST(Car, TyresFillTheArchesEitherWayAndTheDriverSitsAboveThem)
{
    const std::unique_ptr<Texture> car = loadPicture("car.tga");
    const std::unique_ptr<Texture> head = loadPicture("santa-head.tga");
    ASSERT_TRUE(car && head);
    for (const char* name : {"tyre0.tga", "tyre1.tga", "tyre2.tga", "tyre3.tga"}) {
        SCOPED_TRACE(name);
        const std::unique_ptr<Texture> tyre = loadPicture(name);
        ASSERT_TRUE(tyre);
        EXPECT_EQ(car->height, uint32_t(tyreTop) + tyre->height) << "tyres end on the bottom row";
        // Driving right the body is mirrored and the tyres stand at 23 and 203:
        // the same arches as 21 and 201 driving left only if these add up.
        const uint32_t arch = uint32_t(tyreLeftDriving) + tyre->width / 2;
        EXPECT_EQ(car->width - (uint32_t(tyreRightDriving) + tyre->width / 2),
                  arch + uint32_t(tyreSpacing));
        EXPECT_GT(texelFromTop(*tyre, tyre->width / 2, tyre->height - 1).a, 0) << "touches the road";
    }
    EXPECT_LE(uint32_t(headTop) + head->height, uint32_t(tyreTop));
    EXPECT_LE(uint32_t(headRightDriving) + head->width, car->width);
    // The body has a cockpit under both head positions: its rim is below
    // the driver's chin, there is no roof above it.
    for (uint32_t x : {uint32_t(headLeftDriving) + head->width / 2,
                       car->width - uint32_t(headRightDriving) - head->width / 2})
        for (uint32_t y = 0; y < uint32_t(headTop) + head->height / 2; ++y)
            EXPECT_EQ(texelFromTop(*car, x, y).a, 0) << "roof over the head at " << x << ", " << y;
}

int regionTop(const Region& r)
{
    return 256 - r.v - r.dv;
}

TEST(Bubbles, EachPieceIsInsideItsRegionWithClearEdges)
{
    const std::unique_ptr<Texture> atlas = loadPicture("balloons.tga");
    ASSERT_TRUE(atlas);
    for (const Region& r : {bubbleDot, bubbleSmall, bubbleMedium, bubbleBig}) {
        const int top = regionTop(r);
        EXPECT_TRUE(anyInk(*atlas, r.u, top, r.du, r.dv)) << "region at " << r.u;
        // Nothing on the region's own border, so linear filtering finds no edge.
        EXPECT_FALSE(anyInk(*atlas, r.u, top, r.du, 1)) << "top edge of " << r.u;
        EXPECT_FALSE(anyInk(*atlas, r.u, top + r.dv - 1, r.du, 1)) << "bottom edge of " << r.u;
        EXPECT_FALSE(anyInk(*atlas, r.u, top, 1, r.dv)) << "left edge of " << r.u;
        EXPECT_FALSE(anyInk(*atlas, r.u + r.du - 1, top, 1, r.dv)) << "right edge of " << r.u;
        // The piece's middle is opaque white paper.
        const Rgba middle = texelFromTop(*atlas, uint32_t(r.u + r.du / 2), uint32_t(top + r.dv / 2));
        EXPECT_EQ(middle.a, 255);
        EXPECT_GT(luminance(middle), 0.9f);
    }
}

const Glyph* glyphFor(char c)
{
    for (const Glyph& g : glyphs)
        if ((g.character & 0xFF) == static_cast<unsigned char>(c))
            return &g;
    return nullptr;
}

TEST(Bubbles, EveryQuoteLiesOnTheWhiteOfTheBigBubble)
{
    const std::unique_ptr<Texture> atlas = loadPicture("balloons.tga");
    ASSERT_TRUE(atlas);
    for (int q = 0; q < quoteCount; ++q) {
        SCOPED_TRACE(quotes[q]);
        float pen = 0;
        float line = 0;
        int outside = 0;
        for (const char* c = quotes[q]; *c; ++c) {
            if (*c == ' ') {
                pen += 10;
                continue;
            }
            if (*c == '\n') {
                pen = 0;
                line += 20;
                continue;
            }
            const Glyph* g = glyphFor(*c);
            if (!g)
                continue;
            // The glyph's box relative to the big bubble's top-left corner.
            const float x0 = quoteOffsets[q].x - float(bigBubbleX) + pen;
            const float y0 = quoteOffsets[q].y - float(bigBubbleY) + line + g->offsetY;
            for (int y = int(std::floor(y0)); y < int(std::ceil(y0 + g->height)); ++y)
                for (int x = int(std::floor(x0)); x < int(std::ceil(x0 + g->width)); ++x) {
                    if (x < 0 || y < 0 || x >= bubbleBig.du || y >= bubbleBig.dv) {
                        ++outside;
                        continue;
                    }
                    const Rgba paper = texelFromTop(*atlas, uint32_t(bubbleBig.u + x),
                                                    uint32_t(regionTop(bubbleBig) + y));
                    if (paper.a != 255 || luminance(paper) < 0.7f)
                        ++outside;
                }
            pen += g->width;
        }
        EXPECT_EQ(outside, 0) << "texels of quote " << q << " off the white";
    }
}

// A glyph's rectangle in the font picture, rows counted from the top: the
// glyph occupies the `height` rows up to and including texY.
struct GlyphBox {
    int x0, x1, y0, y1;  // x1 and y1 one past the end
};

GlyphBox boxOf(const Glyph& g)
{
    return {int(std::floor(g.texX)), int(std::ceil(g.texX + g.width)),
            int(g.texY - g.height + 1), int(g.texY) + 1};
}

bool inked(const Rgba& t)
{
    return t.a >= 128;
}

bool whiteInk(const Rgba& t)
{
    return t.a >= 128 && luminance(t) >= 0.8f;
}

// Texels of the glyph outside its rectangle, or the box itself outside the picture.
int offTheSheet(const Texture&, const GlyphBox& b)
{
    return b.x0 < 0 || b.y0 < 0 || b.x1 > 256 || b.y1 > 256 ? 1 : 0;
}

// Texels of strokes thinner than two texels: three or more in a line whose
// ink, summed across the line, covers less than two texels (a little less,
// for rounding). Such a stroke is half as heavy as the others, and linear
// filtering at a fractional position turns it into a faint gap. The tip of
// a stroke may taper.
int hairlineTexels(const Texture& font, const GlyphBox& b)
{
    auto alpha = [&](int x, int y) {
        if (x < b.x0 || x >= b.x1 || y < b.y0 || y >= b.y1)
            return 0.0f;
        return float(texelFromTop(font, uint32_t(x), uint32_t(y)).a) / 255.0f;
    };
    int thin = 0;
    for (int across = 0; across < 2; ++across) {
        // across 0: vertical strokes, measured along rows and followed down
        // each column; across 1: horizontal strokes.
        auto texel = [&](int line, int k) {
            return across == 0 ? alpha(b.x0 + line, b.y0 + k) : alpha(b.x0 + k, b.y0 + line);
        };
        const int lines = across == 0 ? b.x1 - b.x0 : b.y1 - b.y0;
        const int length = across == 0 ? b.y1 - b.y0 : b.x1 - b.x0;
        auto strokeWidth = [&](int line, int k) {
            float sum = 0;
            for (int l = line; texel(l, k) > 0; --l)
                sum += texel(l, k);
            for (int l = line + 1; texel(l, k) > 0; ++l)
                sum += texel(l, k);
            return sum;
        };
        for (int line = 0; line < lines; ++line) {
            int run = 0;
            for (int k = 0; k <= length; ++k) {
                if (k < length && texel(line, k) >= 0.5f && strokeWidth(line, k) < 1.95f) {
                    ++run;
                    continue;
                }
                if (run >= 3)
                    thin += run;
                run = 0;
            }
        }
    }
    return thin;
}

// White texels next to clear ground within the rectangle: white letters
// need a dark edge to read over the pale pavement.
int whiteWithoutEdge(const Texture& font, const GlyphBox& b)
{
    int bare = 0;
    for (int y = b.y0; y < b.y1; ++y)
        for (int x = b.x0; x < b.x1; ++x) {
            if (!whiteInk(texelFromTop(font, uint32_t(x), uint32_t(y))))
                continue;
            const int neighbours[4][2] = {{x - 1, y}, {x + 1, y}, {x, y - 1}, {x, y + 1}};
            for (const auto& n : neighbours)
                if (n[0] >= b.x0 && n[0] < b.x1 && n[1] >= b.y0 && n[1] < b.y1 &&
                    texelFromTop(font, uint32_t(n[0]), uint32_t(n[1])).a < 64) {
                    ++bare;
                    break;
                }
        }
    return bare;
}

// Ink in the rectangle's rightmost column: the pen advances by the width
// with no spacing, so letters drawn in black would run into the next one.
int inkInTheLastColumn(const Texture& font, const GlyphBox& b)
{
    int touching = 0;
    for (int y = b.y0; y < b.y1; ++y)
        if (inked(texelFromTop(font, uint32_t(b.x1 - 1), uint32_t(y))))
            ++touching;
    return touching;
}

// Too little solid white ink to make out the letter: a dot needs a few
// texels, a letter many.
int tooLittleWhite(const Texture& font, const GlyphBox& b)
{
    int white = 0;
    for (int y = b.y0; y < b.y1; ++y)
        for (int x = b.x0; x < b.x1; ++x)
            if (whiteInk(texelFromTop(font, uint32_t(x), uint32_t(y))))
                ++white;
    const int wanted = (b.x1 - b.x0) * (b.y1 - b.y0) >= 60 ? 8 : 1;
    return white >= wanted ? 0 : wanted - white;
}

// Dark edge texels that are not dark, or ink of any other colour: the edge
// must stay dark under the banner's white and the letter white, so that
// the quotes' black colours both alike.
int inkNeitherWhiteNorDark(const Texture& font, const GlyphBox& b)
{
    int odd = 0;
    for (int y = b.y0; y < b.y1; ++y)
        for (int x = b.x0; x < b.x1; ++x) {
            const Rgba t = texelFromTop(font, uint32_t(x), uint32_t(y));
            if (t.a < 64)
                continue;
            const int spread = std::max({t.r, t.g, t.b}) - std::min({t.r, t.g, t.b});
            if (spread > 24)
                ++odd;
        }
    return odd;
}

struct GlyphCheck {
    const char* fault;
    int (*count)(const Texture&, const GlyphBox&);
};

const GlyphCheck glyphChecks[] = {
    {"rectangle off the sheet", offTheSheet},
    {"texels of strokes thinner than two texels", hairlineTexels},
    {"white texels touching clear ground", whiteWithoutEdge},
    {"ink in the rightmost column", inkInTheLastColumn},
    {"white texels missing for a legible letter", tooLittleWhite},
    {"texels neither grey, white nor dark", inkNeitherWhiteNorDark},
};

TEST(Font, EveryGlyphIsAWhiteLetterWithADarkEdgeAtLeastTwoTexelsWideInsideItsRectangle)
{
    const std::unique_ptr<Texture> font = loadPicture("font.tga");
    ASSERT_TRUE(font);
    std::vector<bool> covered(256 * 256, false);
    for (const Glyph& g : glyphs) {
        const GlyphBox box = boxOf(g);
        SCOPED_TRACE(std::string("glyph ") + char(g.character));
        ASSERT_EQ(offTheSheet(*font, box), 0);
        for (const GlyphCheck& check : glyphChecks)
            EXPECT_EQ(check.count(*font, box), 0) << check.fault;
        for (int y = box.y0; y < box.y1; ++y)
            for (int x = box.x0; x < box.x1; ++x)
                covered[size_t(y) * 256 + size_t(x)] = true;
    }
    int stray = 0;
    for (uint32_t y = 0; y < 256; ++y)
        for (uint32_t x = 0; x < 256; ++x)
            if (!covered[y * 256 + x] && texelFromTop(*font, x, y).a > 0)
                ++stray;
    EXPECT_EQ(stray, 0) << "texels inked outside every rectangle";
}

TEST(Font, BannerLinesRunOverDarkGroundSoWhiteTextReads)
{
    const std::unique_ptr<Texture> car = loadPicture("car.tga");
    ASSERT_TRUE(car);
    float above = 0, below = 0;
    for (const Glyph& g : glyphs) {
        above = std::min(above, g.offsetY);
        below = std::max(below, g.offsetY + g.height);
    }
    const float carHeight = float(car->height);
    // Car 0 tows the banner: its top at h + 100 above the bottom driving
    // right, h + 50 driving left; the text's pen line (h + 30) / 2 below it.
    for (float gap : {carHeight + 100, carHeight + 50}) {
        const float pen = screenHeight - gap + (carHeight + 30) * 0.5f;
        for (const char* name : {"city0.tga", "city1.tga", "city2.tga", "city3.tga", "city4.tga"}) {
            const std::unique_ptr<Texture> city = loadPicture(name);
            ASSERT_TRUE(city);
            int bright = 0;
            for (float y = pen + above; y <= pen + below + 3; y += 1)
                for (uint32_t x = 0; x < 512; ++x)
                    if (luminance(texelFromTop(*city, x, uint32_t(y * cityRowsPerPixel))) > 0.55f)
                        ++bright;
            EXPECT_EQ(bright, 0) << name << ", banner at y " << pen;
        }
    }
}

TEST(Tune, IsAConstant64kbps44kHzMp3OfOneToTwoMinutes)
{
    const std::vector<unsigned char> mp3 = entryBytes(tuneName);
    ASSERT_GT(mp3.size(), 1000u);
    size_t at = 0;
    if (mp3[0] == 'I' && mp3[1] == 'D' && mp3[2] == '3')
        at = 10 + (size_t(mp3[6] & 0x7F) << 21 | size_t(mp3[7] & 0x7F) << 14 |
                   size_t(mp3[8] & 0x7F) << 7 | size_t(mp3[9] & 0x7F));
    size_t frames = 0;
    while (at + 4 <= mp3.size()) {
        if (mp3.size() - at == 128 && mp3[at] == 'T' && mp3[at + 1] == 'A' && mp3[at + 2] == 'G')
            break;
        const unsigned char* h = &mp3[at];
        ASSERT_EQ(h[0], 0xFF) << "frame " << frames;
        ASSERT_EQ(h[1] & 0xFE, 0xFA) << "MPEG-1 Layer III, frame " << frames;
        ASSERT_EQ(h[2] >> 4, 5) << "64 kbps, frame " << frames;
        ASSERT_EQ((h[2] >> 2) & 3, 0) << "44.1 kHz, frame " << frames;
        at += 144 * 64000 / 44100 + ((h[2] >> 1) & 1);
        ++frames;
    }
    EXPECT_EQ(at, mp3.size() - (mp3.size() - at == 128 ? 128 : 0)) << "the frames end with the file";
    const double seconds = double(frames) * 1152.0 / 44100.0;
    EXPECT_GE(seconds, 60.0);
    EXPECT_LE(seconds, 120.0);
}

} // namespace
