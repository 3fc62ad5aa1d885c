#include "packcontents.h"

#include "pack.h"

#include <cstring>
#include <fstream>
#include <iterator>

const std::vector<unsigned char>& packBytes()
{
    static const std::vector<unsigned char> bytes = [] {
        std::ifstream in(SNOWGIG_DATA_PACK, std::ios::binary);
        return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
    }();
    return bytes;
}

namespace {

int32_t readInt32(const std::vector<unsigned char>& bytes, size_t at)
{
    return int32_t(uint32_t(bytes[at]) | uint32_t(bytes[at + 1]) << 8 |
                   uint32_t(bytes[at + 2]) << 16 | uint32_t(bytes[at + 3]) << 24);
}

} // namespace

std::vector<PackRecord> packDirectory()
{
    const std::vector<unsigned char>& bytes = packBytes();
    std::vector<PackRecord> records;
    if (bytes.size() < 4)
        return records;
    const int32_t count = readInt32(bytes, 0);
    if (count < 0 || size_t(count) > (bytes.size() - 4) / 40)
        return records;
    for (int32_t i = 0; i < count; ++i) {
        const size_t at = 4 + size_t(i) * 40;
        const char* name = reinterpret_cast<const char*>(&bytes[at]);
        PackRecord record;
        record.name.assign(name, strnlen(name, 32));
        record.offset = readInt32(bytes, at + 32);
        record.size = readInt32(bytes, at + 36);
        records.push_back(record);
    }
    return records;
}

std::vector<unsigned char> entryBytes(const std::string& name)
{
    const std::vector<unsigned char>& bytes = packBytes();
    for (const PackRecord& record : packDirectory()) {
        if (record.name != name)
            continue;
        if (record.offset < 0 || record.size < 0 ||
            size_t(record.offset) + size_t(record.size) > bytes.size())
            return {};
        return std::vector<unsigned char>(bytes.begin() + record.offset,
                                          bytes.begin() + record.offset + record.size);
    }
    return {};
}

std::unique_ptr<Texture> loadPicture(const std::string& name)
{
    // The program keeps one PackFile for the whole run; so do the tests.
    static PackFile pack(SNOWGIG_DATA_PACK);
    std::unique_ptr<Texture> texture(new Texture);
    if (!texture->load(("data/" + name).c_str()))
        return nullptr;
    return texture;
}

Rgba texelFromTop(const Texture& texture, uint32_t column, uint32_t rowFromTop)
{
    // Row 0 of the buffer is the first row stored, the bottom of the picture.
    const uint32_t row = texture.height - 1 - rowFromTop;
    const unsigned char* p = texture.pixels + (size_t(row) * texture.texWidth + column) * 4;
    return Rgba{p[0], p[1], p[2], p[3]};
}
