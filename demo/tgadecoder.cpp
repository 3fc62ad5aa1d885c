// What this decoder makes of the cases the TGA format leaves open:
// - zero width or height: refused;
// - one pixel wide and taller than one pixel: a 2-D texture one texel wide, so
//   the whole column is kept (a one-dimensional texture holds a single row);
// - a run-length packet that runs past the end of a row continues on the next
//   row, as the format allows; what runs past the last row is dropped;
// - pixel data that ends early: refused, before the pixel buffer is allocated
//   when the shortfall shows from the sizes alone.
// Origin bits are not applied: row 0 is the first row stored in the file.
#include "tgadecoder.h"

#include "texture.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

const unsigned int glRgba = 0x1908;
const unsigned int glTexture1D = 0x0DE0;
const unsigned int glTexture2D = 0x0DE1;

const unsigned char typeUncompressed = 2;
const unsigned char typeRunLength = 10;
const size_t headerBytes = 18;

uint32_t powerOfTwoAtLeast(uint32_t n)
{
    uint32_t power = 1;
    while (power < n)
        power <<= 1;
    return power;
}

bool alphaBitsFit(unsigned depth, unsigned alphaBits)
{
    if (depth == 24)
        return alphaBits == 0;
    if (depth == 32)
        return alphaBits == 8;
    if (depth == 16)
        return alphaBits <= 1;
    return true;
}

void convert32(const unsigned char* in, unsigned char* out, uint32_t count)
{
    for (uint32_t i = 0; i < count; ++i, in += 4, out += 4) {
        out[0] = in[2];
        out[1] = in[1];
        out[2] = in[0];
        out[3] = in[3];
    }
}

void convert24(const unsigned char* in, unsigned char* out, uint32_t count)
{
    for (uint32_t i = 0; i < count; ++i, in += 3, out += 4) {
        out[0] = in[2];
        out[1] = in[1];
        out[2] = in[0];
        out[3] = 255;
    }
}

// Five bits per component, the top bit ignored; 31 becomes 248.
void convert16(const unsigned char* in, unsigned char* out, uint32_t count)
{
    for (uint32_t i = 0; i < count; ++i, in += 2, out += 4) {
        unsigned value = unsigned(in[0]) | unsigned(in[1]) << 8;
        out[0] = (unsigned char)(((value >> 10) & 31) << 3);
        out[1] = (unsigned char)(((value >> 5) & 31) << 3);
        out[2] = (unsigned char)((value & 31) << 3);
        out[3] = 255;
    }
}

void convertPixels(unsigned bytesPerPixel, const unsigned char* in, unsigned char* out, uint32_t count)
{
    if (bytesPerPixel == 4)
        convert32(in, out, count);
    else if (bytesPerPixel == 3)
        convert24(in, out, count);
    else
        convert16(in, out, count);
}

void fillPixels(const unsigned char* rgba, unsigned char* out, uint32_t count)
{
    uint32_t value;
    std::memcpy(&value, rgba, 4);
    for (uint32_t i = 0; i < count; ++i, out += 4)
        std::memcpy(out, &value, 4);
}

struct Image {
    unsigned char* pixels;
    uint32_t width;
    uint32_t height;
    uint32_t texWidth;
    unsigned bytesPerPixel;
};

unsigned char* rowStart(const Image& image, uint32_t row)
{
    return image.pixels + size_t(row) * image.texWidth * 4;
}

void decodeUncompressed(const Image& image, const unsigned char* in)
{
    size_t rowBytes = size_t(image.width) * image.bytesPerPixel;
    for (uint32_t row = 0; row < image.height; ++row, in += rowBytes)
        convertPixels(image.bytesPerPixel, in, rowStart(image, row), image.width);
}

bool decodeRunLength(const Image& image, const unsigned char* in, const unsigned char* end)
{
    uint32_t row = 0;
    uint32_t column = 0;
    while (row < image.height) {
        if (in == end)
            return false;
        unsigned char header = *in++;
        uint32_t left = (header & 0x7Fu) + 1;
        bool repeated = (header & 0x80) != 0;
        unsigned char rgba[4];
        if (repeated) {
            if (size_t(end - in) < image.bytesPerPixel)
                return false;
            convertPixels(image.bytesPerPixel, in, rgba, 1);
            in += image.bytesPerPixel;
        }
        while (left > 0 && row < image.height) {
            uint32_t count = image.width - column;
            if (count > left)
                count = left;
            unsigned char* out = rowStart(image, row) + size_t(column) * 4;
            if (repeated) {
                fillPixels(rgba, out, count);
            } else {
                size_t bytes = size_t(count) * image.bytesPerPixel;
                if (size_t(end - in) < bytes)
                    return false;
                convertPixels(image.bytesPerPixel, in, out, count);
                in += bytes;
            }
            left -= count;
            column += count;
            if (column == image.width) {
                column = 0;
                ++row;
            }
        }
    }
    return true;
}

// The fewest bytes of pixel data that can describe the image.
uint64_t leastPixelBytes(unsigned char type, uint32_t width, uint32_t height, unsigned bytesPerPixel)
{
    uint64_t pixelCount = uint64_t(width) * height;
    if (type == typeUncompressed)
        return pixelCount * bytesPerPixel;
    return (pixelCount + 127) / 128 * (1 + bytesPerPixel);
}

} // namespace

bool decodeTga(const unsigned char* data, size_t size, Texture& texture)
{
    if (size < 3)
        return false;
    unsigned idLength = data[0];
    if (data[1] != 0)
        return false;
    unsigned char type = data[2];
    if (type != typeUncompressed && type != typeRunLength)
        return false;
    if (size < 17)
        return false;
    uint32_t width = uint32_t(data[12]) | uint32_t(data[13]) << 8;
    uint32_t height = uint32_t(data[14]) | uint32_t(data[15]) << 8;
    unsigned depth = data[16];

    texture.width = width;
    texture.height = height;
    texture.format = glRgba;
    if (width == 0 || height == 0)
        return false;
    if (height == 1) {
        texture.target = glTexture1D;
        texture.texWidth = powerOfTwoAtLeast(width);
        texture.texHeight = 1;
    } else {
        texture.target = glTexture2D;
        texture.texWidth = powerOfTwoAtLeast(width);
        texture.texHeight = powerOfTwoAtLeast(height);
    }

    if (depth < 16 || size < headerBytes)
        return false;
    unsigned descriptor = data[17];
    if ((descriptor & 0xC0) != 0 || !alphaBitsFit(depth, descriptor & 0x0F))
        return false;
    if (size - headerBytes < idLength)
        return false;
    const unsigned char* in = data + headerBytes + idLength;
    const unsigned char* end = data + size;

    unsigned bytesPerPixel = depth == 32 ? 4 : depth == 24 ? 3 : 2;
    if (uint64_t(end - in) < leastPixelBytes(type, width, height, bytesPerPixel))
        return false;
    uint64_t bufferBytes = uint64_t(texture.texWidth) * texture.texHeight * 4;
    if (bufferBytes > SIZE_MAX)
        return false;
    std::free(texture.pixels);
    texture.pixels = static_cast<unsigned char*>(std::calloc(size_t(bufferBytes), 1));
    if (!texture.pixels)
        return false;

    Image image = {texture.pixels, width, height, texture.texWidth, bytesPerPixel};
    if (type == typeUncompressed) {
        decodeUncompressed(image, in);
        return true;
    }
    return decodeRunLength(image, in, end);
}
