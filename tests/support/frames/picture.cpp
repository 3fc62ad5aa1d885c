#include "picture.h"

#include <stb/stb_image.h>
#include <stb/stb_image_write.h>

#include <cstring>

Picture pictureFromColourBuffer(const unsigned char* bottomRowFirst, uint32_t width,
                                uint32_t height)
{
    Picture picture;
    picture.width = width;
    picture.height = height;
    const size_t row = size_t(width) * 4;
    picture.rgba.resize(row * height);
    for (uint32_t y = 0; y < height; ++y)
        std::memcpy(&picture.rgba[y * row], &bottomRowFirst[(height - 1 - y) * row], row);
    for (size_t i = 3; i < picture.rgba.size(); i += 4)
        picture.rgba[i] = 255;
    return picture;
}

bool readPng(const char* path, Picture& picture)
{
    int width = 0;
    int height = 0;
    int channels = 0;
    unsigned char* pixels = stbi_load(path, &width, &height, &channels, 4);
    if (!pixels)
        return false;
    picture.width = uint32_t(width);
    picture.height = uint32_t(height);
    picture.rgba.assign(pixels, pixels + size_t(width) * height * 4);
    stbi_image_free(pixels);
    return true;
}

bool writePng(const char* path, const Picture& picture)
{
    return stbi_write_png(path, int(picture.width), int(picture.height), 4, picture.rgba.data(),
                          int(picture.width * 4)) != 0;
}
