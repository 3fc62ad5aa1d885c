// Loading TGA images from the pack: header rules, pixel depths, both
// encodings, padding, one-dimensional images and damaged files.
#include "assetstest.h"
#include "pack.h"
#include "texture.h"

#include <gtest/gtest.h>

#include <array>
#include <tuple>

namespace {

const unsigned glRgba = 0x1908;
const unsigned glTexture1D = 0x0DE0;
const unsigned glTexture2D = 0x0DE1;
using Rgba = std::array<int, 4>;

class TextureLoad : public ::testing::Test {
protected:
    void TearDown() override
    {
        EXPECT_FALSE(packArchiveOpen());
    }
    // Loads the bytes as "data/image.tga" from a pack where another file follows them.
    bool load(Texture& texture, const Bytes& tga)
    {
        PackFile pack(dir.write("snowgig.dat", packBytes({{"image.tga", tga}, {"next.tga", Bytes(4096, 0x55)}})).c_str());
        bool loaded = texture.load("data/image.tga");
        EXPECT_EQ(packOpenStreamCount(), 0) << "the stream was left open";
        return loaded;
    }
    ScratchDir dir;
};

Rgba pixelAt(const Texture& texture, uint32_t column, uint32_t row)
{
    const unsigned char* p = texture.pixels + (size_t(row) * texture.texWidth + column) * 4;
    return {p[0], p[1], p[2], p[3]};
}

// The picture in the corner at row 0, transparent black everywhere else.
void expectPicture(const Texture& texture, const Picture& picture)
{
    ASSERT_NE(texture.pixels, nullptr);
    ASSERT_EQ(texture.width, picture.width);
    ASSERT_EQ(texture.height, picture.height);
    int mismatches = 0;
    for (uint32_t row = 0; row < texture.texHeight; ++row) {
        for (uint32_t column = 0; column < texture.texWidth; ++column) {
            Rgba want = {0, 0, 0, 0};
            if (row < picture.height && column < picture.width) {
                const unsigned char* p = &picture.rgba[(size_t(row) * picture.width + column) * 4];
                want = {p[0], p[1], p[2], p[3]};
            }
            if (pixelAt(texture, column, row) != want && ++mismatches < 4)
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

Bytes repeated(const Bytes& pixel, int times)
{
    Bytes data;
    for (int i = 0; i < times; ++i)
        data.insert(data.end(), pixel.begin(), pixel.end());
    return data;
}

} // namespace

TEST_F(TextureLoad, ConvertsEachDepthToRgba)
{
    const std::tuple<int, Bytes, Rgba> cases[] = {
        {32, {10, 20, 30, 40}, {30, 20, 10, 40}}, {24, {10, 20, 30}, {30, 20, 10, 255}},
        {16, {0xFF, 0x7F}, {248, 248, 248, 255}}, {16, {0xFF, 0xFF}, {248, 248, 248, 255}},
        {16, {0x00, 0x7C}, {248, 0, 0, 255}},     {16, {0xE0, 0x03}, {0, 248, 0, 255}},
        {16, {0x1F, 0x00}, {0, 0, 248, 255}},     {16, {0x21, 0x04}, {8, 8, 8, 255}},
        {17, {0x00, 0x7C}, {248, 0, 0, 255}},     {255, {0x1F, 0x00}, {0, 0, 248, 255}},
    };
    for (const auto& [depth, stored, rgba] : cases) {
        Texture texture;
        TgaHeader header = headerFor(2, 2, depth, false);
        header.descriptor = depth > 32 || depth == 17 ? 5 : header.descriptor;  // no alpha rule there
        ASSERT_TRUE(load(texture, tgaBytes(header, repeated(stored, 4)))) << depth;
        EXPECT_EQ(texture.format, glRgba);
        EXPECT_EQ(pixelAt(texture, 0, 0), rgba) << "depth " << depth;
        EXPECT_EQ(pixelAt(texture, 1, 1), rgba) << "depth " << depth;
    }
}

TEST_F(TextureLoad, RunLengthPacketsRepeatOrCopy)
{
    // 0x83: one pixel four times; 0x02: three pixels one by one; then a row of 7.
    Bytes data = {0x83, 1, 2, 3, 4, 0x02, 10, 11, 12, 13, 20, 21, 22, 23, 30, 31, 32, 33, 0x86, 5, 5, 5, 5};
    Texture texture;
    ASSERT_TRUE(load(texture, tgaBytes(headerFor(7, 2, 32, true), data)));
    for (uint32_t column = 0; column < 4; ++column)
        EXPECT_EQ(pixelAt(texture, column, 0), (Rgba{3, 2, 1, 4}));
    EXPECT_EQ(pixelAt(texture, 4, 0), (Rgba{12, 11, 10, 13}));
    EXPECT_EQ(pixelAt(texture, 6, 0), (Rgba{32, 31, 30, 33}));
    EXPECT_EQ(pixelAt(texture, 6, 1), (Rgba{5, 5, 5, 5}));
    EXPECT_EQ(pixelAt(texture, 7, 1), (Rgba{0, 0, 0, 0}));
}

// Every depth with both encodings: the whole picture, padded from 300 x 200
// to 512 x 256, after an image ID that is skipped.
class TextureDepthAndEncoding : public TextureLoad, public ::testing::WithParamInterface<std::tuple<int, bool>> {};

TEST_P(TextureDepthAndEncoding, DecodesTheWholePictureAndPads)
{
    auto [depth, runLength] = GetParam();
    Picture picture = randomPicture(300, 200, 7u + unsigned(depth), runLength);
    TgaHeader header = headerFor(300, 200, depth, runLength);
    header.idLength = 200;
    Texture texture;
    ASSERT_TRUE(load(texture, tgaBytes(header, runLength ? runLengthData(picture, depth, false)
                                                          : uncompressedData(picture, depth))));
    EXPECT_EQ(texture.texWidth, 512u);
    EXPECT_EQ(texture.texHeight, 256u);
    EXPECT_EQ(texture.target, glTexture2D);
    expectPicture(texture, expectedAfterDepth(picture, depth));
}

INSTANTIATE_TEST_SUITE_P(AllDepths, TextureDepthAndEncoding,
                         ::testing::Combine(::testing::Values(16, 24, 32), ::testing::Bool()));

TEST_F(TextureLoad, PadsToPowersOfTwoAndIgnoresTheOriginBits)
{
    const std::tuple<uint16_t, uint16_t, uint32_t, uint32_t, unsigned char> cases[] = {
        {256, 128, 256, 128, 0x00}, {3, 5, 4, 8, 0x20}, {257, 2, 512, 2, 0x10}, {2, 512, 2, 512, 0x30}};
    for (const auto& [width, height, texWidth, texHeight, origin] : cases) {
        Picture picture = randomPicture(width, height, width, false);
        TgaHeader header = headerFor(width, height, 32, false);
        header.descriptor |= origin;
        Texture texture;
        ASSERT_TRUE(load(texture, tgaBytes(header, uncompressedData(picture, 32))));
        EXPECT_EQ(texture.texWidth, texWidth);
        EXPECT_EQ(texture.texHeight, texHeight);
        expectPicture(texture, picture);
    }
}

TEST_F(TextureLoad, NameIsThePathWithoutDirectoryAndExtension)
{
    PackFile pack(dir.write("names.dat", packBytes({{"santa-head.tga", tgaBytes(TgaHeader(), {1, 2, 3, 4})},
                                                    {"plain", {1, 2}}})).c_str());
    const std::pair<const char*, const char*> cases[] = {
        {"data/santa-head.tga", "santa-head"}, {"c:\\demo\\data\\santa-head.tga", "santa-head"}, {"plain", "plain"}};
    for (const auto& [path, name] : cases) {
        Texture texture;
        texture.load(path);
        ASSERT_NE(texture.name, nullptr) << path;
        EXPECT_STREQ(texture.name, name);
    }
    Texture missing;  // no entry: the texture is untouched
    EXPECT_FALSE(missing.load("data/missing.tga"));
    EXPECT_EQ(missing.name, nullptr);
    EXPECT_EQ(missing.width, 0xFFFFFFFFu);
}

TEST_F(TextureLoad, OnePixelHighIsOneDimensional)
{
    for (uint16_t width : {64, 1, 3}) {
        Picture picture = randomPicture(width, 1, width, false);
        Texture texture;
        ASSERT_TRUE(load(texture, tgaBytes(headerFor(width, 1, 24, false), uncompressedData(picture, 24))));
        EXPECT_EQ(texture.target, glTexture1D);
        EXPECT_EQ(texture.texHeight, 1u);
        expectPicture(texture, expectedAfterDepth(picture, 24));
    }
}

// One pixel wide and taller: kept whole as a 2-D texture one texel wide (a
// one-dimensional texture would hold a single row).
TEST_F(TextureLoad, OnePixelWideKeepsTheWholeColumn)
{
    for (bool runLength : {false, true}) {
        Picture picture = randomPicture(1, 100, 5, runLength);
        Texture texture;
        ASSERT_TRUE(load(texture, tgaBytes(headerFor(1, 100, 32, runLength), runLength ? runLengthData(picture, 32, true)
                                                                                       : uncompressedData(picture, 32))));
        EXPECT_EQ(texture.target, glTexture2D);
        EXPECT_EQ(texture.texWidth, 1u);
        EXPECT_EQ(texture.texHeight, 128u);
        expectPicture(texture, picture);
    }
}

// A packet that runs past a row end continues on the next row; past the last
// row it is dropped and the padding stays transparent.
TEST_F(TextureLoad, RunLengthPacketsMayCrossRowEnds)
{
    for (int depth : {16, 24, 32}) {
        Picture picture = randomPicture(3, 5, 11, true);
        Texture texture;
        ASSERT_TRUE(load(texture, tgaBytes(headerFor(3, 5, depth, true), runLengthData(picture, depth, true))));
        expectPicture(texture, expectedAfterDepth(picture, depth));
    }
    Texture texture;  // one repeat packet of 128 pixels for a 3 x 3 image
    ASSERT_TRUE(load(texture, tgaBytes(headerFor(3, 3, 24, true), {0xFF, 1, 2, 3})));
    expectPicture(texture, Picture{3, 3, repeated({3, 2, 1, 255}, 9)});
    Texture raw;  // a raw packet past the last row needs only the pixels it stores
    ASSERT_TRUE(load(raw, tgaBytes(headerFor(2, 2, 24, true), {0x7F, 1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4})));
    EXPECT_EQ(pixelAt(raw, 1, 1), (Rgba{4, 4, 4, 255}));
}

// Refusals leave the fields already set; no pixel buffer is made.
TEST_F(TextureLoad, RefusesWhatItCannotShow)
{
    const std::tuple<const char*, unsigned char, unsigned char, unsigned char, unsigned char, uint16_t> cases[] = {
        {"grey", 0, 3, 8, 0, 4},          {"grey RLE", 0, 11, 8, 0, 4},
        {"colour-mapped", 1, 1, 8, 0, 4}, {"colour-mapped RLE", 1, 9, 8, 0, 4},
        {"a colour map", 1, 2, 24, 0, 4}, {"type 0", 0, 0, 24, 0, 4},
        {"depth 8", 0, 2, 8, 0, 4},       {"depth 15", 0, 2, 15, 0, 4},
        {"24-bit, alpha 8", 0, 2, 24, 8, 4}, {"32-bit, alpha 0", 0, 2, 32, 0, 4},
        {"16-bit, alpha 2", 0, 2, 16, 2, 4}, {"descriptor bit 6", 0, 2, 32, 0x48, 4},
        {"descriptor bit 7", 0, 10, 24, 0x80, 4}, {"zero width", 0, 2, 32, 8, 0}, {"zero width RLE", 0, 10, 32, 8, 0},
    };
    for (const auto& [what, colourMapType, imageType, depth, descriptor, width] : cases) {
        TgaHeader header = headerFor(width, 4, depth, false);
        header.colourMapType = colourMapType;
        header.imageType = imageType;
        header.descriptor = descriptor;
        Texture texture;
        EXPECT_FALSE(load(texture, tgaBytes(header, Bytes(64, 1)))) << what;
        EXPECT_EQ(texture.pixels, nullptr) << what;
    }
    Texture zeroHeight;
    EXPECT_FALSE(load(zeroHeight, tgaBytes(headerFor(4, 0, 24, false), Bytes(64, 1))));
    Texture depth8;
    EXPECT_FALSE(load(depth8, tgaBytes(headerFor(300, 2, 8, false), Bytes(600, 0))));
    EXPECT_STREQ(depth8.name, "image");
    EXPECT_EQ(depth8.width, 300u);
    EXPECT_EQ(depth8.texWidth, 512u);
    EXPECT_EQ(depth8.texHeight, 2u);
    EXPECT_EQ(depth8.format, glRgba);
    TgaHeader alphaBit = headerFor(2, 2, 16, false);
    alphaBit.descriptor = 1;
    Texture accepted;
    EXPECT_TRUE(load(accepted, tgaBytes(alphaBit, Bytes(8, 0))));
}

// However the file is cut, loading fails: the bytes of the next file in the
// pack are never taken for the missing ones.
TEST_F(TextureLoad, RefusesTruncatedFiles)
{
    for (bool runLength : {false, true}) {
        for (int depth : {16, 24, 32}) {
            Picture picture = randomPicture(5, 4, 2, runLength);
            TgaHeader header = headerFor(5, 4, depth, runLength);
            header.idLength = 3;
            Bytes whole = tgaBytes(header, runLength ? runLengthData(picture, depth, false) : uncompressedData(picture, depth));
            for (size_t length = 0; length < whole.size(); ++length) {
                Texture texture;
                EXPECT_FALSE(load(texture, Bytes(whole.begin(), whole.begin() + length)))
                    << depth << (runLength ? " RLE" : "") << " cut to " << length;
            }
            Texture texture;
            EXPECT_TRUE(load(texture, whole));
        }
    }
    for (bool runLength : {false, true}) {  // refused before a 16 GiB buffer is made
        Texture texture;
        EXPECT_FALSE(load(texture, tgaBytes(headerFor(65535, 65535, 32, runLength), Bytes(100, 0))));
        EXPECT_EQ(texture.pixels, nullptr);
    }
}

TEST_F(TextureLoad, LoadingTwiceKeepsOnlyTheSecondImage)
{
    Texture texture;
    ASSERT_TRUE(load(texture, tgaBytes(headerFor(300, 200, 24, false), Bytes(300 * 200 * 3, 9))));
    Picture picture = randomPicture(4, 4, 4, false);
    ASSERT_TRUE(load(texture, tgaBytes(headerFor(4, 4, 32, false), uncompressedData(picture, 32))));
    EXPECT_EQ(texture.texWidth, 4u);
    expectPicture(texture, picture);
}
