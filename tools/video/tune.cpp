#include "tune.h"

#include "mp3layout.h"
#include "mpg123decoder.h"
#include "pack.h"
#include "pcmsource.h"

#include <cstdio>
#include <vector>

namespace {

std::vector<uint8_t> tuneData;
Mpg123Decoder decoder = {};
PcmSource source = {};
bool sourceOpen = false;

// As the sound library does: a few frames per decode call.
const size_t framesPerDecode = 8;

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
    const size_t chunkBytes = framesPerDecode * size_t(layout.largestFrame);
    // Every frame one call can be given, and a few the decoder may hold back.
    const size_t maxFrames = (chunkBytes / layout.smallestFrame + 4) *
                             size_t(layout.format.samplesPerFrame);
    if (!openMpg123Decoder(&decoder, layout.format, maxFrames))
        return false;
    if (!openPcmSource(&source, tuneData.data(), layout, true, decodeWithMpg123, &decoder,
                       chunkBytes, maxFrames)) {
        std::fprintf(stderr, "out of memory for %s\n", name);
        closeMpg123Decoder(&decoder);
        return false;
    }
    sourceOpen = true;
    return true;
}

size_t readTune(int16_t* stereo, size_t frames)
{
    return sourceOpen ? readPcm(&source, stereo, frames) : 0;
}

void closeTune()
{
    if (sourceOpen) {
        closePcmSource(&source);
        closeMpg123Decoder(&decoder);
    }
    sourceOpen = false;
    tuneData.clear();
}
