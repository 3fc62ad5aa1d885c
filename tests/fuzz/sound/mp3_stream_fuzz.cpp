// Indexes the input as an MP3 stream, walks its frames and plays it through
// the trimming and looping with a stand-in decoder, checking that every offset
// stays inside the input and every sample count inside its buffer.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "mp3layout.h"
#include "pcmsource.h"

namespace {

void check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

struct StandInDecoder {
    std::vector<int16_t> out;
    int channels;
    int samplesPerFrame;
    size_t maxBytes;
    size_t maxFrames;
};

long decodeStandIn(void* opaque, const uint8_t* frames, size_t bytes, bool flush,
                   const int16_t** pcm)
{
    StandInDecoder* d = static_cast<StandInDecoder*>(opaque);
    check(bytes <= d->maxBytes);
    size_t count = 0;
    for (size_t at = 0; at < bytes;) {
        Mp3FrameHeader h;
        check(readMp3FrameHeader(frames + at, bytes - at, &h));
        check(size_t(h.frameBytes) <= bytes - at);
        at += size_t(h.frameBytes);
        count += size_t(h.samplesPerFrame);
    }
    if (flush)
        count += mp3DecoderDelay;
    check(count <= d->maxFrames);
    d->out.assign(count * size_t(d->channels), int16_t(bytes));
    *pcm = d->out.data();
    return long(count);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Mp3Layout layout;
    if (!scanMp3Layout(data, size, &layout))
        return 0;
    check(layout.firstFrame < layout.end && layout.end <= size);
    check(layout.frameCount > 0);

    const size_t chunk = 4 * 1441;  // four of the largest frames
    const size_t smallestFrameBytes = 24;
    size_t cursor = layout.firstFrame;
    uint32_t frames = 0;
    uint32_t taken;
    while (takeMp3Frames(data, layout, &cursor, chunk, &taken) > 0)
        frames += taken;
    check(cursor == layout.end && frames == layout.frameCount);

    for (bool loop : {false, true}) {
        StandInDecoder decoder;
        decoder.channels = layout.format.channels;
        decoder.samplesPerFrame = layout.format.samplesPerFrame;
        decoder.maxBytes = chunk;
        decoder.maxFrames = (chunk / smallestFrameBytes + 1) * 1152 + mp3DecoderDelay;
        PcmSource source;
        check(openPcmSource(&source, data, layout, loop, decodeStandIn, &decoder, chunk,
                            decoder.maxFrames));
        std::vector<int16_t> out(2 * 5000);
        size_t total = 0;
        for (int i = 0; i < 40 && !source.ended; ++i) {
            size_t got = readPcm(&source, out.data(), 5000);
            check(got <= 5000);
            check(loop || got == 5000 || source.ended);
            total += got;
        }
        if (!loop)
            check(int64_t(total) <= source.trim.keepLength);
        closePcmSource(&source);
    }
    return 0;
}
