// Turns a TGA file held in memory into a Texture's size fields and RGBA pixels.
#ifndef SNOWGIG_TGADECODER_H
#define SNOWGIG_TGADECODER_H

#include <cstddef>

class Texture;

// Accepts uncompressed (type 2) and run-length encoded (type 10) true-colour
// images of 16, 24 or 32 bits per pixel. Sets the fields in the order the
// header gives them, so a refusal leaves the ones already set. False on a
// refused header, truncated data or a pixel buffer that cannot be allocated.
bool decodeTga(const unsigned char* data, size_t size, Texture& texture);

#endif
