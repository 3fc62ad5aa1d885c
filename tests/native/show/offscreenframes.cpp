#include "offscreenframes.h"

#include "glwindow.h"
#include "images.h"
#include "media.h"
#include "pack.h"
#include "render.h"
#include "scene.h"

#include <GL/gl.h>
#include <stb/stb_image.h>
#include <stb/stb_image_write.h>

#include <cstdio>
#include <cstring>

uint64_t pictureFingerprint()
{
    uint64_t hash = 1469598103934665603ull;
    unsigned char chunk[4096];
    for (const ImageFile& image : imageFiles) {
        PackStream* stream = packOpen(image.path, "rb");
        if (!stream)
            return 0;
        int got = 0;
        while ((got = packRead(chunk, 1, sizeof chunk, stream)) > 0) {
            for (int i = 0; i < got; ++i)
                hash = (hash ^ chunk[i]) * 1099511628211ull;
        }
        packClose(stream);
    }
    return hash;
}

bool readFingerprint(const char* path, uint64_t& fingerprint)
{
    std::FILE* file = std::fopen(path, "r");
    if (!file)
        return false;
    unsigned long long value = 0;
    const bool ok = std::fscanf(file, "%llx", &value) == 1;
    std::fclose(file);
    fingerprint = value;
    return ok;
}

bool writeFingerprint(const char* path, uint64_t fingerprint)
{
    std::FILE* file = std::fopen(path, "w");
    if (!file)
        return false;
    const bool ok = std::fprintf(file, "%016llx\n", static_cast<unsigned long long>(fingerprint)) > 0;
    return std::fclose(file) == 0 && ok;
}

void prepareFrame(uint32_t width, uint32_t height)
{
    setOffscreenSize(width, height);
    resize(int(width), int(height));

    startTimer = 2000;
    showLogo = 0;
    logoAlpha = 0;
    phase = 0;
    frontCityScroll = backCityScroll = 0;
    frontCityBlock = 0;
    backCityBlock = 4;
    bubbleVisible = 0;
    bubbleStage = -1;
    quoteIndex = -1;
    bannerCar = -1;
    bannerLine = 0;
    createScene();
}

Picture renderFrame()
{
    draw();
    glFinish();
    Picture picture;
    picture.width = glWindow->getWidth();
    picture.height = glWindow->getHeight();
    const size_t row = size_t(picture.width) * 4;
    picture.rgba.resize(row * picture.height);
    const unsigned char* pixels = offscreenPixels();
    for (uint32_t y = 0; y < picture.height; ++y) {
        std::memcpy(&picture.rgba[y * row], &pixels[(picture.height - 1 - y) * row], row);
    }
    // The window shows colour only; what blending leaves in alpha is not seen.
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
