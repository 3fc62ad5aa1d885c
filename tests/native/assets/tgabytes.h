// Builds TGA files for tests, including refused and damaged ones.
#ifndef SNOWGIG_TEST_TGABYTES_H
#define SNOWGIG_TEST_TGABYTES_H

#include <cstdint>
#include <vector>

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
std::vector<unsigned char> tgaBytes(const TgaHeader& header, const std::vector<unsigned char>& pixelData);

// An RGBA picture, row by row, 4 bytes a pixel.
struct Picture {
    uint16_t width;
    uint16_t height;
    std::vector<unsigned char> rgba;
};

Picture randomPicture(uint16_t width, uint16_t height, unsigned seed, bool withRuns);

// The picture's pixels as a TGA file stores them at depth 16, 24 or 32.
std::vector<unsigned char> filePixel(const unsigned char* rgba, int depth);
std::vector<unsigned char> uncompressedData(const Picture& picture, int depth);
// Runs of equal pixels become repeat packets, the rest raw packets. Packets end
// at row ends unless acrossRows.
std::vector<unsigned char> runLengthData(const Picture& picture, int depth, bool acrossRows);
// What the loader makes of the picture at that depth (16-bit keeps 5 bits a
// component and has no alpha; 24-bit has no alpha).
Picture expectedAfterDepth(const Picture& picture, int depth);

#endif
