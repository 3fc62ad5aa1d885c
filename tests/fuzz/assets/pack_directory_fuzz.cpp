// Opens whatever bytes it is given as a pack file, then looks up, reads and
// seeks every entry it can name. Any read or write outside a buffer, or an
// archive left open, is a finding.
#include "pack.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

namespace {

std::string packPath()
{
    return "/tmp/snowgig-fuzz-pack-" + std::to_string(getpid()) + ".dat";
}

void exercise(PackStream* stream, PackStream* other)
{
    char buffer[64];
    int32_t size = stream->entry->size;
    packRead(buffer, 1, 7, stream);
    packRead(buffer, 3, 5, other);
    packSeek(stream, 3, SEEK_CUR);
    packRead(buffer, 16, 4, stream);
    packSeek(stream, -5, SEEK_CUR);
    packSeek(stream, 10, SEEK_SET);
    packSeek(stream, -10, SEEK_END);
    packRead(buffer, 2, 32, stream);
    packSeek(stream, -stream->position, SEEK_CUR);
    while (packRead(buffer, 1, int32_t(sizeof buffer), stream) > 0) {
    }
    if (stream->position < 0 || stream->position > size)
        __builtin_trap();
    // An element count whose product with the size overflows 32 bits.
    packSeek(stream, 0, SEEK_CUR);
    if (size <= int32_t(sizeof buffer)) {
        packSeek(stream, -stream->position, SEEK_CUR);
        packRead(buffer, 0x10000, 0x10000, stream);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size)
{
    std::string path = packPath();
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return 0;
    std::fwrite(data, 1, size, file);
    std::fclose(file);

    // Names to look up: a few fixed ones and the first bytes of each record.
    std::string names[6] = {"santa.tga", "", "data/A"};
    for (int i = 0; i < 3; ++i) {
        size_t at = 4 + size_t(i) * 40;
        if (at < size)
            names[3 + i] = std::string(reinterpret_cast<const char*>(data + at),
                                       strnlen(reinterpret_cast<const char*>(data + at),
                                               std::min<size_t>(32, size - at)));
    }
    {
        PackFile pack(path.c_str());
        PackStream* streams[6];
        for (int i = 0; i < 6; ++i)
            streams[i] = packOpen(names[i].c_str(), "rb");
        for (int i = 0; i < 6; ++i)
            if (streams[i])
                exercise(streams[i], streams[(i + 1) % 6]);
        for (PackStream*& stream : streams)
            packClose(stream);
    }
    std::remove(path.c_str());
    if (packArchiveOpen() || packOpenStreamCount() != 0)
        __builtin_trap();
    return 0;
}
