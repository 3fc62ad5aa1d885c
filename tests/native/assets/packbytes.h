// Builds pack files byte by byte for tests, including damaged ones.
#ifndef SNOWGIG_TEST_PACKBYTES_H
#define SNOWGIG_TEST_PACKBYTES_H

#include <cstdint>
#include <string>
#include <vector>

struct PackItem {
    std::string name;
    std::vector<unsigned char> data;
};

// A well-formed pack: count, directory, then each item's data in order.
std::vector<unsigned char> packBytes(const std::vector<PackItem>& items);

std::vector<unsigned char> bytesOf(const std::string& text);
void putLittleEndian32(std::vector<unsigned char>& bytes, size_t at, uint32_t value);

// Byte offsets of record i's fields in a pack.
size_t recordNameAt(size_t record);
size_t recordOffsetAt(size_t record);
size_t recordSizeAt(size_t record);

#endif
