#include "assetstest.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <random>

Bytes bytesOf(const std::string& text)
{
    return Bytes(text.begin(), text.end());
}

Bytes readBytes(const std::string& path)
{
    Bytes bytes;
    if (FILE* file = std::fopen(path.c_str(), "rb")) {
        for (int c; (c = std::fgetc(file)) != EOF;)
            bytes.push_back((unsigned char)c);
        std::fclose(file);
    }
    return bytes;
}

ScratchDir::ScratchDir()
{
    char pattern[] = "/tmp/snowgig-test-XXXXXX";
    if (mkdtemp(pattern))
        root = pattern;
}

ScratchDir::~ScratchDir()
{
    std::error_code ignored;
    if (!root.empty())
        std::filesystem::remove_all(root, ignored);
}

std::string ScratchDir::write(const std::string& name, const Bytes& bytes) const
{
    std::string full = path(name);
    std::filesystem::create_directories(std::filesystem::path(full).parent_path());
    if (FILE* file = std::fopen(full.c_str(), "wb")) {
        if (!bytes.empty())
            std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }
    return full;
}

void putLittleEndian32(Bytes& bytes, size_t at, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = (unsigned char)(value >> (8 * i));
}

Bytes packBytes(const std::vector<PackItem>& items)
{
    Bytes pack(4 + items.size() * 40, 0);
    putLittleEndian32(pack, 0, uint32_t(items.size()));
    for (size_t i = 0; i < items.size(); ++i) {
        std::memcpy(&pack[4 + i * 40], items[i].name.data(), items[i].name.size());
        putLittleEndian32(pack, 4 + i * 40 + 32, uint32_t(pack.size()));
        putLittleEndian32(pack, 4 + i * 40 + 36, uint32_t(items[i].data.size()));
        pack.insert(pack.end(), items[i].data.begin(), items[i].data.end());
    }
    return pack;
}

Bytes tgaBytes(const TgaHeader& header, const Bytes& pixelData)
{
    Bytes bytes = {header.idLength, header.colourMapType, header.imageType, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                   (unsigned char)header.width, (unsigned char)(header.width >> 8),
                   (unsigned char)header.height, (unsigned char)(header.height >> 8),
                   header.depth, header.descriptor};
    bytes.insert(bytes.end(), header.idLength, 'I');
    bytes.insert(bytes.end(), pixelData.begin(), pixelData.end());
    return bytes;
}

Picture randomPicture(uint16_t width, uint16_t height, unsigned seed, bool withRuns)
{
    std::mt19937 random(seed);
    Picture picture{width, height, Bytes(size_t(width) * height * 4)};
    for (size_t i = 0; i < picture.rgba.size(); i += 4) {
        bool repeat = withRuns && i > 0 && random() % 3 != 0;
        for (int c = 0; c < 4; ++c)
            picture.rgba[i + c] = repeat ? picture.rgba[i + c - 4] : (unsigned char)random();
    }
    return picture;
}

static Bytes filePixel(const unsigned char* rgba, int depth)
{
    if (depth == 32)
        return {rgba[2], rgba[1], rgba[0], rgba[3]};
    if (depth == 24)
        return {rgba[2], rgba[1], rgba[0]};
    unsigned value = unsigned(rgba[0] >> 3) << 10 | unsigned(rgba[1] >> 3) << 5 | unsigned(rgba[2] >> 3);
    value |= (rgba[3] & 0x80u) << 8;  // the top bit, which the loader ignores
    return {(unsigned char)value, (unsigned char)(value >> 8)};
}

Bytes uncompressedData(const Picture& picture, int depth)
{
    Bytes data;
    for (size_t i = 0; i < picture.rgba.size(); i += 4) {
        Bytes pixel = filePixel(&picture.rgba[i], depth);
        data.insert(data.end(), pixel.begin(), pixel.end());
    }
    return data;
}

Bytes runLengthData(const Picture& picture, int depth, bool acrossRows)
{
    std::vector<Bytes> pixels;
    for (size_t i = 0; i < picture.rgba.size(); i += 4)
        pixels.push_back(filePixel(&picture.rgba[i], depth));
    Bytes data;
    size_t rowLength = acrossRows ? pixels.size() : picture.width;
    for (size_t rowStart = 0; rowStart < pixels.size(); rowStart += rowLength) {
        size_t rowEnd = rowStart + rowLength;
        for (size_t i = rowStart; i < rowEnd;) {
            size_t run = 1;
            while (i + run < rowEnd && run < 128 && pixels[i + run] == pixels[i])
                ++run;
            size_t raw = 1;
            while (run == 1 && i + raw < rowEnd && raw < 128 &&
                   !(i + raw + 1 < rowEnd && pixels[i + raw] == pixels[i + raw + 1]))
                ++raw;
            data.push_back((unsigned char)(run > 1 ? 0x80 | (run - 1) : raw - 1));
            for (size_t k = 0; k < (run > 1 ? 1 : raw); ++k)
                data.insert(data.end(), pixels[i + k].begin(), pixels[i + k].end());
            i += run > 1 ? run : raw;
        }
    }
    return data;
}

Picture expectedAfterDepth(const Picture& picture, int depth)
{
    Picture expected = picture;
    for (size_t i = 0; i < expected.rgba.size(); i += 4) {
        for (int c = 0; c < 3 && depth == 16; ++c)
            expected.rgba[i + c] &= 0xF8;
        if (depth != 32)
            expected.rgba[i + 3] = 255;
    }
    return expected;
}
