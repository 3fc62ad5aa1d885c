// Textures with only their sizes and GL name, for tests that need no pixels.
#include "texture.h"

Texture::Texture()
    : name(nullptr), texWidth(0), texHeight(0), width(0), height(0), pixels(nullptr),
      format(0), glName(0), target(0)
{
}

Texture::~Texture() {}
