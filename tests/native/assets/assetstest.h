// Helpers of the assets tests: a scratch directory, pack files and TGA files
// built byte by byte (damaged ones too), and random pictures.
#ifndef SNOWGIG_TEST_ASSETSTEST_H
#define SNOWGIG_TEST_ASSETSTEST_H

#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<unsigned char>;

Bytes bytesOf(const std::string& text);
Bytes readBytes(const std::string& path);

// A fresh directory under /tmp, removed with its contents at the end.
struct ScratchDir {
    ScratchDir();
    ~ScratchDir();
    std::string path(const std::string& name) const { return root + "/" + name; }
    std::string write(const std::string& name, const Bytes& bytes) const;
    std::string root;
};

struct PackItem {
    std::string name;
    Bytes data;
};
// Count, directory, then each item's data in order.
Bytes packBytes(const std::vector<PackItem>& items);
void putLittleEndian32(Bytes& bytes, size_t at, uint32_t value);

struct TgaHeader {
    unsigned char idLength = 0;
    unsigned char colourMapType = 0;
    unsigned char imageType = 2;
    uint16_t width = 1;
    uint16_t height = 1;
    unsigned char depth = 32;
    unsigned char descriptor = 8;
};
// Header, idLength bytes of image ID, then the pixel data as given.
Bytes tgaBytes(const TgaHeader& header, const Bytes& pixelData);

// RGBA, row after row.
struct Picture {
    uint16_t width;
    uint16_t height;
    Bytes rgba;
};
// With runs, most pixels repeat the one before, so repeat packets occur.
Picture randomPicture(uint16_t width, uint16_t height, unsigned seed, bool withRuns);
// The pixels as a TGA file of that depth stores them.
Bytes uncompressedData(const Picture& picture, int depth);
// Repeat packets for runs, raw packets for the rest; packets end at row ends
// unless acrossRows.
Bytes runLengthData(const Picture& picture, int depth, bool acrossRows);
// What survives a depth: 5 bits a component at 16, no alpha below 32.
Picture expectedAfterDepth(const Picture& picture, int depth);

#endif
