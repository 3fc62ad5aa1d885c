// A TGA image from the pack as RGBA in a buffer padded to power-of-two sides,
// and the GL texture made from it.
#ifndef SNOWGIG_TEXTURE_H
#define SNOWGIG_TEXTURE_H

#include <cstdint>

class Texture {
public:
    Texture();
    ~Texture();
    Texture(const Texture&) = delete;
    Texture& operator=(const Texture&) = delete;

    bool load(const char* path);
    // 0 on success, otherwise the GL or GLU error code.
    unsigned int upload(int mipmaps, int linear, int wrap, float envMode);

    char* name;
    uint32_t texWidth;
    uint32_t texHeight;
    uint32_t width;
    uint32_t height;
    unsigned char* pixels;
    unsigned int format;
    unsigned int glName;
    unsigned int target;
};

#endif
