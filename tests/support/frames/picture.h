// A frame or a reference picture as RGBA bytes, and its PNG files.
#ifndef SNOWGIG_TEST_PICTURE_H
#define SNOWGIG_TEST_PICTURE_H

#include <cstdint>
#include <vector>

struct Picture {
    uint32_t width = 0;
    uint32_t height = 0;
    std::vector<unsigned char> rgba;  // top row first
};

// The picture in a GL colour buffer read as RGBA bytes, bottom row first. Its
// alpha is made opaque: the window shows colour only, and what blending leaves
// in alpha (or whether the buffer has alpha at all) is not seen.
Picture pictureFromColourBuffer(const unsigned char* bottomRowFirst, uint32_t width,
                                uint32_t height);

bool readPng(const char* path, Picture& picture);
bool writePng(const char* path, const Picture& picture);

#endif
