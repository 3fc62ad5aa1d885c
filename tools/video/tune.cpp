#include "tune.h"

#include "mp3layout.h"
#include "pack.h"
#include "pcmsource.h"
#include "soundplatform.h"

#include <cstdio>
#include <vector>

namespace {

std::vector<uint8_t> tuneData;
StreamDecoder* decoder = nullptr;
PcmSource source = {};

bool readPackEntry(const char* name, std::vector<uint8_t>& bytes)
{
    PackStream* stream = packOpen(name, "rb");
    if (!stream)
        return false;
    bytes.clear();
    unsigned char chunk[65536];
    int got = 0;
    while ((got = packRead(chunk, 1, sizeof chunk, stream)) > 0)
        bytes.insert(bytes.end(), chunk, chunk + got);
    packClose(stream);
    return got == 0;
}

}  // namespace

bool openTune(const char* name)
{
    if (!readPackEntry(name, tuneData) || tuneData.empty()) {
        std::fprintf(stderr, "the pack has no %s\n", name);
        return false;
    }
    Mp3Layout layout;
    if (!scanMp3Layout(tuneData.data(), tuneData.size(), &layout)) {
        std::fprintf(stderr, "%s is not an MP3 stream\n", name);
        return false;
    }
    if (layout.format.sampleRate != tuneSampleRate) {
        std::fprintf(stderr, "%s plays at %d Hz; the video's sound track is %d Hz\n", name,
                     layout.format.sampleRate, tuneSampleRate);
        return false;
    }
    // The sound library's own decoding: libmpg123 feeding the shared sample
    // feed, which trims and loops the tune as fmod.dll does.
    switch (openStreamDecoder(&decoder, &source, tuneData.data(), layout, true)) {
    case STREAM_DECODER_OK:
        return true;
    case STREAM_DECODER_NO_CODEC:
        std::fprintf(stderr, "libmpg123 cannot decode %s\n", name);
        return false;
    case STREAM_DECODER_NO_MEMORY:
        break;
    }
    std::fprintf(stderr, "out of memory for %s\n", name);
    return false;
}

size_t readTune(int16_t* stereo, size_t frames)
{
    return decoder ? readPcm(&source, stereo, frames) : 0;
}

void closeTune()
{
    if (decoder)
        closeStreamDecoder(decoder, &source);
    decoder = nullptr;
    tuneData.clear();
}
