// The built snowgig.dat read back for the data tests: its directory, the raw
// bytes of each entry, and each picture loaded with the program's own loader.
#ifndef SNOWGIG_TESTS_PACKCONTENTS_H
#define SNOWGIG_TESTS_PACKCONTENTS_H

#include "texture.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct PackRecord {
    std::string name;
    int32_t offset;
    int32_t size;
};

struct Rgba {
    int r, g, b, a;
};

// The whole pack file; empty when it cannot be read.
const std::vector<unsigned char>& packBytes();
// The directory as stored; empty when the pack is damaged.
std::vector<PackRecord> packDirectory();
// The bytes of the first entry of that name, or nothing.
std::vector<unsigned char> entryBytes(const std::string& name);
// The picture loaded through PackFile and Texture::load, as the program does.
std::unique_ptr<Texture> loadPicture(const std::string& name);

// A texel by column and row of the picture as it shows, row 0 at the top.
Rgba texelFromTop(const Texture& texture, uint32_t column, uint32_t rowFromTop);

#endif
