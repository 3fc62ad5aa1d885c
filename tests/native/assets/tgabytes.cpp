#include "tgabytes.h"

#include <cstring>
#include <random>

std::vector<unsigned char> tgaBytes(const TgaHeader& header, const std::vector<unsigned char>& pixelData)
{
    std::vector<unsigned char> bytes(18, 0);
    bytes[0] = header.idLength;
    bytes[1] = header.colourMapType;
    bytes[2] = header.imageType;
    bytes[12] = (unsigned char)(header.width & 0xFF);
    bytes[13] = (unsigned char)(header.width >> 8);
    bytes[14] = (unsigned char)(header.height & 0xFF);
    bytes[15] = (unsigned char)(header.height >> 8);
    bytes[16] = header.depth;
    bytes[17] = header.descriptor;
    bytes.insert(bytes.end(), header.idLength, 'I');
    bytes.insert(bytes.end(), pixelData.begin(), pixelData.end());
    return bytes;
}

Picture randomPicture(uint16_t width, uint16_t height, unsigned seed, bool withRuns)
{
    std::mt19937 random(seed);
    Picture picture{width, height, std::vector<unsigned char>(size_t(width) * height * 4)};
    for (size_t i = 0; i < picture.rgba.size(); i += 4) {
        if (withRuns && i >= 4 && random() % 3 != 0) {
            std::memcpy(&picture.rgba[i], &picture.rgba[i - 4], 4);
            continue;
        }
        for (int c = 0; c < 4; ++c)
            picture.rgba[i + c] = (unsigned char)random();
    }
    return picture;
}

std::vector<unsigned char> filePixel(const unsigned char* rgba, int depth)
{
    if (depth == 32)
        return {rgba[2], rgba[1], rgba[0], rgba[3]};
    if (depth == 24)
        return {rgba[2], rgba[1], rgba[0]};
    unsigned value = unsigned(rgba[0] >> 3) << 10 | unsigned(rgba[1] >> 3) << 5 | unsigned(rgba[2] >> 3);
    value |= (rgba[3] & 0x80u) << 8;  // the loader ignores the top bit
    return {(unsigned char)(value & 0xFF), (unsigned char)(value >> 8)};
}

std::vector<unsigned char> uncompressedData(const Picture& picture, int depth)
{
    std::vector<unsigned char> data;
    for (size_t i = 0; i < picture.rgba.size(); i += 4) {
        std::vector<unsigned char> pixel = filePixel(&picture.rgba[i], depth);
        data.insert(data.end(), pixel.begin(), pixel.end());
    }
    return data;
}

std::vector<unsigned char> runLengthData(const Picture& picture, int depth, bool acrossRows)
{
    std::vector<std::vector<unsigned char>> pixels;
    for (size_t i = 0; i < picture.rgba.size(); i += 4)
        pixels.push_back(filePixel(&picture.rgba[i], depth));
    std::vector<unsigned char> data;
    size_t rowLength = acrossRows ? pixels.size() : picture.width;
    for (size_t rowStart = 0; rowStart < pixels.size(); rowStart += rowLength) {
        size_t rowEnd = rowStart + rowLength;
        size_t i = rowStart;
        while (i < rowEnd) {
            size_t run = 1;
            while (i + run < rowEnd && run < 128 && pixels[i + run] == pixels[i])
                ++run;
            if (run > 1) {
                data.push_back((unsigned char)(0x80 | (run - 1)));
                data.insert(data.end(), pixels[i].begin(), pixels[i].end());
                i += run;
                continue;
            }
            size_t raw = 1;
            while (i + raw < rowEnd && raw < 128 &&
                   !(i + raw + 1 < rowEnd && pixels[i + raw] == pixels[i + raw + 1]))
                ++raw;
            data.push_back((unsigned char)(raw - 1));
            for (size_t k = 0; k < raw; ++k)
                data.insert(data.end(), pixels[i + k].begin(), pixels[i + k].end());
            i += raw;
        }
    }
    return data;
}

Picture expectedAfterDepth(const Picture& picture, int depth)
{
    Picture expected = picture;
    for (size_t i = 0; i < expected.rgba.size(); i += 4) {
        if (depth == 16)
            for (int c = 0; c < 3; ++c)
                expected.rgba[i + c] &= 0xF8;
        if (depth != 32)
            expected.rgba[i + 3] = 255;
    }
    return expected;
}
