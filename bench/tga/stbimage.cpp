// stb_image, built with only its TGA decoder, as the peer the loader is
// measured against.
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_TGA
#define STBI_NO_STDIO
#include <stb/stb_image.h>
