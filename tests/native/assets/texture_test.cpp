// Loading TGA images from the pack: header rules, pixel depths, both
// encodings, padding, one-dimensional images and damaged files.
#include "pack.h"
#include "packbytes.h"
#include "scratchdir.h"
#include "texture.h"
#include "tgabytes.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace {

const unsigned glRgba = 0x1908;
const unsigned glTexture1D = 0x0DE0;
const unsigned glTexture2D = 0x0DE1;

class TextureLoad : public ::testing::Test {
protected:
    void TearDown() override
    {
        EXPECT_FALSE(packArchiveOpen());
        EXPECT_EQ(packOpenStreamCount(), 0);
    }

    // Loads the bytes as "data/image.tga" from a pack that holds them and,
    // after them, another file.
    bool load(Texture& texture, const std::vector<unsigned char>& tga)
    {
        std::string path = dir.write("snowgig.dat", packBytes({{"image.tga", tga},
                                                               {"next.tga", std::vector<unsigned char>(4096, 0x55)}}));
        PackFile pack(path.c_str());
        bool loaded = texture.load("data/image.tga");
        EXPECT_EQ(packOpenStreamCount(), 0) << "the stream was left open";
        return loaded;
    }

    ScratchDir dir;
};

std::array<int, 4> pixelAt(const Texture& texture, uint32_t column, uint32_t row)
{
    const unsigned char* p = texture.pixels + (size_t(row) * texture.texWidth + column) * 4;
    return {p[0], p[1], p[2], p[3]};
}

// The picture in the top-left corner, transparent black everywhere else.
void expectPicture(const Texture& texture, const Picture& picture)
{
    ASSERT_NE(texture.pixels, nullptr);
    ASSERT_EQ(texture.width, picture.width);
    ASSERT_EQ(texture.height, picture.height);
    int mismatches = 0;
    for (uint32_t row = 0; row < texture.texHeight; ++row) {
        for (uint32_t column = 0; column < texture.texWidth; ++column) {
            std::array<int, 4> want = {0, 0, 0, 0};
            if (row < picture.height && column < picture.width) {
                const unsigned char* p = &picture.rgba[(size_t(row) * picture.width + column) * 4];
                want = {p[0], p[1], p[2], p[3]};
            }
            if (pixelAt(texture, column, row) != want && ++mismatches < 5)
                ADD_FAILURE() << "pixel (" << column << ", " << row << ") differs";
        }
    }
    EXPECT_EQ(mismatches, 0);
}

TgaHeader headerFor(uint16_t width, uint16_t height, int depth, bool runLength)
{
    TgaHeader header;
    header.imageType = runLength ? 10 : 2;
    header.width = width;
    header.height = height;
    header.depth = (unsigned char)depth;
    header.descriptor = depth == 32 ? 8 : 0;
    return header;
}

} // namespace

TEST_F(TextureLoad, ConstructionSetsTheDefaults)
{
    Texture texture;
    EXPECT_EQ(texture.name, nullptr);
    EXPECT_EQ(texture.pixels, nullptr);
    EXPECT_EQ(texture.texWidth, 0xFFFFFFFFu);
    EXPECT_EQ(texture.texHeight, 0xFFFFFFFFu);
    EXPECT_EQ(texture.width, 0xFFFFFFFFu);
    EXPECT_EQ(texture.height, 0xFFFFFFFFu);
    EXPECT_EQ(texture.format, 0xFFFFFFFFu);
}

TEST_F(TextureLoad, ConvertsEachDepthToRgba)
{
    struct Case {
        int depth;
        std::vector<unsigned char> stored;
        std::array<int, 4> rgba;
    } cases[] = {
        {32, {10, 20, 30, 40}, {30, 20, 10, 40}},
        {24, {10, 20, 30}, {30, 20, 10, 255}},
        {16, {0xFF, 0x7F}, {248, 248, 248, 255}},
        {16, {0xFF, 0xFF}, {248, 248, 248, 255}},  // the top bit is ignored
        {16, {0x00, 0x7C}, {248, 0, 0, 255}},
        {16, {0xE0, 0x03}, {0, 248, 0, 255}},
        {16, {0x1F, 0x00}, {0, 0, 248, 255}},
        {16, {0x21, 0x04}, {8, 8, 8, 255}},
    };
    for (const Case& c : cases) {
        Texture texture;
        ASSERT_TRUE(load(texture, tgaBytes(headerFor(2, 2, c.depth, false),
                                           [&] {
                                               std::vector<unsigned char> data;
                                               for (int i = 0; i < 4; ++i)
                                                   data.insert(data.end(), c.stored.begin(), c.stored.end());
                                               return data;
                                           }())))
            << c.depth;
        EXPECT_EQ(texture.format, glRgba);
        for (uint32_t row = 0; row < 2; ++row)
            for (uint32_t column = 0; column < 2; ++column)
                EXPECT_EQ(pixelAt(texture, column, row), c.rgba) << "depth " << c.depth;
    }
}

TEST_F(TextureLoad, DepthsOtherThan24And32AreReadAs16Bit)
{
    for (int depth : {17, 31, 255}) {
        TgaHeader header = headerFor(2, 2, depth, false);
        header.descriptor = 5;  // no alpha rule for these depths
        Texture texture;
        ASSERT_TRUE(load(texture, tgaBytes(header, {0x00, 0x7C, 0xE0, 0x03, 0x1F, 0x00, 0xFF, 0x7F})))
            << depth;
        EXPECT_EQ(pixelAt(texture, 0, 0), (std::array<int, 4>{248, 0, 0, 255}));
        EXPECT_EQ(pixelAt(texture, 1, 1), (std::array<int, 4>{248, 248, 248, 255}));
    }
}

TEST_F(TextureLoad, RunLengthPacketsRepeatOrCopy)
{
    // 0x83: one pixel four times; 0x02: three pixels one by one.
    std::vector<unsigned char> data = {0x83, 1, 2, 3, 4, 0x02, 10, 11, 12, 13, 20, 21, 22, 23, 30, 31, 32, 33};
    for (int i = 0; i < 7; ++i)
        data.insert(data.end(), {0x86, 0, 0, 0, 0});  // the other rows, 7 pixels each
    Texture texture;
    ASSERT_TRUE(load(texture, tgaBytes(headerFor(7, 8, 32, true), data)));
    for (uint32_t column = 0; column < 4; ++column)
        EXPECT_EQ(pixelAt(texture, column, 0), (std::array<int, 4>{3, 2, 1, 4}));
    EXPECT_EQ(pixelAt(texture, 4, 0), (std::array<int, 4>{12, 11, 10, 13}));
    EXPECT_EQ(pixelAt(texture, 5, 0), (std::array<int, 4>{22, 21, 20, 23}));
    EXPECT_EQ(pixelAt(texture, 6, 0), (std::array<int, 4>{32, 31, 30, 33}));
    EXPECT_EQ(pixelAt(texture, 7, 0), (std::array<int, 4>{0, 0, 0, 0}));
}

// Every depth with both encodings gives the same picture, compared pixel by
// pixel with what the depth can hold.
class TextureDepthAndEncoding : public TextureLoad,
                                public ::testing::WithParamInterface<std::tuple<int, bool>> {};

TEST_P(TextureDepthAndEncoding, DecodesTheWholePicture)
{
    int depth = std::get<0>(GetParam());
    bool runLength = std::get<1>(GetParam());
    Picture picture = randomPicture(300, 200, 7u + unsigned(depth), runLength);
    std::vector<unsigned char> data =
        runLength ? runLengthData(picture, depth, false) : uncompressedData(picture, depth);
    Texture texture;
    ASSERT_TRUE(load(texture, tgaBytes(headerFor(300, 200, depth, runLength), data)));
    EXPECT_EQ(texture.texWidth, 512u);
    EXPECT_EQ(texture.texHeight, 256u);
    EXPECT_EQ(texture.target, glTexture2D);
    expectPicture(texture, expectedAfterDepth(picture, depth));
}

INSTANTIATE_TEST_SUITE_P(AllDepths, TextureDepthAndEncoding,
                         ::testing::Combine(::testing::Values(16, 24, 32), ::testing::Bool()));

TEST_F(TextureLoad, PadsToPowersOfTwo)
{
    struct Case {
        uint16_t width, height;
        uint32_t texWidth, texHeight;
    } cases[] = {{256, 128, 256, 128}, {300, 200, 512, 256}, {2, 2, 2, 2},
                 {3, 5, 4, 8},        {257, 2, 512, 2},     {512, 511, 512, 512}};
    for (const Case& c : cases) {
        Picture picture = randomPicture(c.width, c.height, c.width, false);
        Texture texture;
        ASSERT_TRUE(load(texture, tgaBytes(headerFor(c.width, c.height, 32, false),
                                           uncompressedData(picture, 32))));
        EXPECT_EQ(texture.texWidth, c.texWidth) << c.width;
        EXPECT_EQ(texture.texHeight, c.texHeight) << c.height;
        expectPicture(texture, picture);
    }
}

TEST_F(TextureLoad, OriginBitsDoNotFlipTheRows)
{
    Picture picture = randomPicture(4, 3, 1, false);
    for (unsigned char origin : {0x00, 0x10, 0x20, 0x30}) {
        TgaHeader header = headerFor(4, 3, 32, false);
        header.descriptor = (unsigned char)(8 | origin);
        Texture texture;
        ASSERT_TRUE(load(texture, tgaBytes(header, uncompressedData(picture, 32))));
        expectPicture(texture, picture);
    }
}

TEST_F(TextureLoad, NameIsThePathWithoutDirectoryAndExtension)
{
    std::string path = dir.write("names.dat", packBytes({{"santa-head.tga", tgaBytes(TgaHeader(), {1, 2, 3, 4})},
                                                         {"weird", {1, 2}}}));
    PackFile pack(path.c_str());
    struct Case {
        const char* path;
        const char* name;
    } cases[] = {{"data/santa-head.tga", "santa-head"}, {"santa-head.tga", "santa-head"},
                 {"c:\\demo\\data\\santa-head.tga", "santa-head"}, {"data/weird", "weird"}};
    for (const Case& c : cases) {
        Texture texture;
        texture.load(c.path);
        ASSERT_NE(texture.name, nullptr) << c.path;
        EXPECT_STREQ(texture.name, c.name);
    }
    // A missing entry leaves the texture untouched.
    Texture missing;
    EXPECT_FALSE(missing.load("data/missing.tga"));
    EXPECT_EQ(missing.name, nullptr);
    EXPECT_EQ(missing.width, 0xFFFFFFFFu);
}

TEST_F(TextureLoad, OnePixelHighIsOneDimensional)
{
    Picture picture = randomPicture(64, 1, 3, false);
    Texture texture;
    ASSERT_TRUE(load(texture, tgaBytes(headerFor(64, 1, 32, false), uncompressedData(picture, 32))));
    EXPECT_EQ(texture.target, glTexture1D);
    EXPECT_EQ(texture.texWidth, 64u);
    EXPECT_EQ(texture.texHeight, 1u);
    expectPicture(texture, picture);

    Texture single;
    ASSERT_TRUE(load(single, tgaBytes(headerFor(1, 1, 24, false), {1, 2, 3})));
    EXPECT_EQ(single.target, glTexture1D);
    EXPECT_EQ(single.texWidth, 1u);
    EXPECT_EQ(single.texHeight, 1u);
    EXPECT_EQ(pixelAt(single, 0, 0), (std::array<int, 4>{3, 2, 1, 255}));
}

// One pixel wide and taller than one pixel: kept whole as a 2-D texture one
// texel wide (a one-dimensional texture holds only a single row).
TEST_F(TextureLoad, OnePixelWideKeepsTheWholeColumn)
{
    for (bool runLength : {false, true}) {
        Picture picture = randomPicture(1, 100, 5, runLength);
        Texture texture;
        ASSERT_TRUE(load(texture, tgaBytes(headerFor(1, 100, 32, runLength),
                                           runLength ? runLengthData(picture, 32, true)
                                                     : uncompressedData(picture, 32))));
        EXPECT_EQ(texture.target, glTexture2D);
        EXPECT_EQ(texture.texWidth, 1u);
        EXPECT_EQ(texture.texHeight, 128u);
        expectPicture(texture, picture);
    }
}

// A packet that runs past a row end continues on the next row; past the
// last row it is dropped, and the padding stays transparent.
TEST_F(TextureLoad, RunLengthPacketsMayCrossRowEnds)
{
    for (int depth : {16, 24, 32}) {
        Picture picture = randomPicture(3, 5, 11, true);
        Texture texture;
        ASSERT_TRUE(load(texture, tgaBytes(headerFor(3, 5, depth, true), runLengthData(picture, depth, true))));
        expectPicture(texture, expectedAfterDepth(picture, depth));
    }
    // 3 x 3 image: one repeat packet of 128 pixels covers it and more.
    Texture texture;
    ASSERT_TRUE(load(texture, tgaBytes(headerFor(3, 3, 24, true), {0xFF, 1, 2, 3})));
    Picture expected{3, 3, {}};
    for (int i = 0; i < 9; ++i)
        expected.rgba.insert(expected.rgba.end(), {3, 2, 1, 255});
    expectPicture(texture, expected);
    // A raw packet that ends after the last row only needs the pixels it stores.
    Texture raw;
    ASSERT_TRUE(load(raw, tgaBytes(headerFor(2, 2, 24, true), {0x7F, 1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4})));
    EXPECT_EQ(pixelAt(raw, 1, 1), (std::array<int, 4>{4, 4, 4, 255}));
}

TEST_F(TextureLoad, ImageIdIsSkipped)
{
    TgaHeader header = headerFor(2, 2, 24, false);
    header.idLength = 255;
    Texture texture;
    ASSERT_TRUE(load(texture, tgaBytes(header, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12})));
    EXPECT_EQ(pixelAt(texture, 0, 0), (std::array<int, 4>{3, 2, 1, 255}));
    EXPECT_EQ(pixelAt(texture, 1, 1), (std::array<int, 4>{12, 11, 10, 255}));
}

TEST_F(TextureLoad, RefusesWhatItCannotShow)
{
    struct Case {
        const char* what;
        unsigned char colourMapType, imageType, depth, descriptor;
    } cases[] = {
        {"grey", 0, 3, 8, 0},          {"grey RLE", 0, 11, 8, 0},
        {"colour-mapped", 1, 1, 8, 0}, {"colour-mapped RLE", 1, 9, 8, 0},
        {"a colour map", 1, 2, 24, 0}, {"type 0", 0, 0, 24, 0},
        {"depth 8", 0, 2, 8, 0},       {"depth 15", 0, 2, 15, 0},
        {"24-bit with alpha 8", 0, 2, 24, 8}, {"32-bit without alpha", 0, 2, 32, 0},
        {"16-bit with alpha 2", 0, 2, 16, 2}, {"descriptor bit 6", 0, 2, 32, 0x48},
        {"descriptor bit 7", 0, 10, 24, 0x80},
    };
    for (const Case& c : cases) {
        TgaHeader header;
        header.colourMapType = c.colourMapType;
        header.imageType = c.imageType;
        header.width = 4;
        header.height = 4;
        header.depth = c.depth;
        header.descriptor = c.descriptor;
        Texture texture;
        EXPECT_FALSE(load(texture, tgaBytes(header, std::vector<unsigned char>(64, 1)))) << c.what;
        EXPECT_EQ(texture.pixels, nullptr) << c.what;
    }
    TgaHeader alphaBit = headerFor(2, 2, 16, false);
    alphaBit.descriptor = 1;
    Texture accepted;
    EXPECT_TRUE(load(accepted, tgaBytes(alphaBit, std::vector<unsigned char>(8, 0))));
}

TEST_F(TextureLoad, RefusalKeepsTheFieldsAlreadySet)
{
    TgaHeader header = headerFor(300, 2, 8, false);
    Texture texture;
    EXPECT_FALSE(load(texture, tgaBytes(header, std::vector<unsigned char>(600, 0))));
    EXPECT_STREQ(texture.name, "image");
    EXPECT_EQ(texture.width, 300u);
    EXPECT_EQ(texture.height, 2u);
    EXPECT_EQ(texture.texWidth, 512u);
    EXPECT_EQ(texture.texHeight, 2u);
    EXPECT_EQ(texture.format, glRgba);
    EXPECT_EQ(texture.pixels, nullptr);
}

TEST_F(TextureLoad, RefusesZeroWidthOrHeight)
{
    for (bool runLength : {false, true}) {
        Texture noWidth;
        EXPECT_FALSE(load(noWidth, tgaBytes(headerFor(0, 4, 32, runLength), std::vector<unsigned char>(64, 0))));
        EXPECT_EQ(noWidth.pixels, nullptr);
        Texture noHeight;
        EXPECT_FALSE(load(noHeight, tgaBytes(headerFor(4, 0, 32, runLength), std::vector<unsigned char>(64, 0))));
        EXPECT_EQ(noHeight.pixels, nullptr);
    }
}

// However the file is cut, loading fails and never takes the bytes of the
// file that follows in the pack.
TEST_F(TextureLoad, RefusesTruncatedFiles)
{
    for (bool runLength : {false, true}) {
        for (int depth : {16, 24, 32}) {
            Picture picture = randomPicture(5, 4, 2, runLength);
            TgaHeader header = headerFor(5, 4, depth, runLength);
            header.idLength = 3;
            std::vector<unsigned char> whole = tgaBytes(
                header, runLength ? runLengthData(picture, depth, false) : uncompressedData(picture, depth));
            for (size_t length = 0; length < whole.size(); ++length) {
                Texture texture;
                EXPECT_FALSE(load(texture, std::vector<unsigned char>(whole.begin(), whole.begin() + length)))
                    << "depth " << depth << (runLength ? " RLE" : "") << ", cut to " << length << " bytes";
            }
            Texture texture;
            EXPECT_TRUE(load(texture, whole));
        }
    }
}

TEST_F(TextureLoad, HugeDimensionsWithoutTheirDataAreRefusedCheaply)
{
    for (bool runLength : {false, true}) {
        Texture texture;
        EXPECT_FALSE(load(texture, tgaBytes(headerFor(65535, 65535, 32, runLength), std::vector<unsigned char>(100, 0))));
        EXPECT_EQ(texture.pixels, nullptr);
        EXPECT_EQ(texture.texWidth, 65536u);
    }
}

TEST_F(TextureLoad, LoadingTwiceKeepsOnlyTheSecondImage)
{
    Texture texture;
    ASSERT_TRUE(load(texture, tgaBytes(headerFor(300, 200, 24, false), std::vector<unsigned char>(300 * 200 * 3, 9))));
    Picture picture = randomPicture(4, 4, 4, false);
    ASSERT_TRUE(load(texture, tgaBytes(headerFor(4, 4, 32, false), uncompressedData(picture, 32))));
    EXPECT_EQ(texture.texWidth, 4u);
    expectPicture(texture, picture);
}
