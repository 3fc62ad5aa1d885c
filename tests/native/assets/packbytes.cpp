#include "packbytes.h"

#include <cstring>

void putLittleEndian32(std::vector<unsigned char>& bytes, size_t at, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = (unsigned char)(value >> (8 * i));
}

size_t recordNameAt(size_t record)
{
    return 4 + record * 40;
}

size_t recordOffsetAt(size_t record)
{
    return recordNameAt(record) + 32;
}

size_t recordSizeAt(size_t record)
{
    return recordNameAt(record) + 36;
}

std::vector<unsigned char> bytesOf(const std::string& text)
{
    return std::vector<unsigned char>(text.begin(), text.end());
}

std::vector<unsigned char> packBytes(const std::vector<PackItem>& items)
{
    std::vector<unsigned char> pack(4 + items.size() * 40, 0);
    putLittleEndian32(pack, 0, uint32_t(items.size()));
    for (size_t i = 0; i < items.size(); ++i) {
        std::memcpy(&pack[recordNameAt(i)], items[i].name.data(), items[i].name.size());
        putLittleEndian32(pack, recordOffsetAt(i), uint32_t(pack.size()));
        putLittleEndian32(pack, recordSizeAt(i), uint32_t(items[i].data.size()));
        pack.insert(pack.end(), items[i].data.begin(), items[i].data.end());
    }
    return pack;
}
