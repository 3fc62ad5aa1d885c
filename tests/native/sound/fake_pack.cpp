#include <cstring>

#include "fakes.h"
#include "pack.h"

FakePack fakePack;

namespace {

PackEntry tuneEntry;
PackStream tuneStream;

}  // namespace

PackStream* packOpen(const char* path, const char* mode)
{
    fakePack.opened.push_back(std::string(path) + " " + mode);
    if (!fakePack.hasTune || std::strcmp(path, "data/gimme_64k.mp3") != 0)
        return nullptr;
    std::memset(&tuneEntry, 0, sizeof tuneEntry);
    std::strcpy(tuneEntry.name, "gimme_64k.mp3");
    tuneEntry.size = int32_t(fakePack.tune.size());
    tuneStream.entry = &tuneEntry;
    tuneStream.position = 0;
    ++fakePack.openStreams;
    return &tuneStream;
}

int packRead(void* buffer, int32_t size, int32_t count, PackStream* stream)
{
    int32_t available = stream->entry->size - stream->position - fakePack.shortReadBy;
    int32_t wanted = size * count;
    int32_t n = wanted < available ? wanted : available;
    if (n <= 0)
        return 0;
    std::memcpy(buffer, fakePack.tune.data() + stream->position, size_t(n));
    stream->position += n;
    return n / size;
}

void packClose(PackStream*& stream)
{
    if (stream)
        --fakePack.openStreams;
    stream = nullptr;
}
