// Decodes an MP3 file through the library's decoder (libmpg123) and trimming,
// as the library does while playing, and prints the time and the multiple of
// real time (best of several runs), beside the decoder alone on the same
// frames.
//   decodebench file.mp3 [runs]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "../../tests/support/filebytes.h"
#include "mpg123decoder.h"
#include "soundplatform.h"

namespace {

double now()
{
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return double(counter.QuadPart) / double(frequency.QuadPart);
}

// The decoder alone: every frame, eight at a time, nothing trimmed or copied.
double decoderOnlySeconds(const std::vector<uint8_t>& mp3, const Mp3Layout& layout)
{
    double start = now();
    Mpg123Decoder decoder;
    size_t chunk = 8 * size_t(layout.largestFrame);
    if (!openMpg123Decoder(&decoder, layout.format, chunk / layout.smallestFrame + 1))
        return -1;
    size_t cursor = layout.firstFrame;
    uint32_t frames;
    size_t bytes;
    const int16_t* pcm;
    while ((bytes = takeMp3Frames(mp3.data(), layout, &cursor, chunk, &frames)) > 0) {
        if (decodeMpg123(&decoder, mp3.data() + cursor - bytes, bytes, false, &pcm) < 0)
            break;
    }
    closeMpg123Decoder(&decoder);
    return now() - start;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: decodebench file.mp3 [runs]\n");
        return 2;
    }
    int runs = argc > 2 ? std::atoi(argv[2]) : 5;
    std::vector<uint8_t> mp3 = readFile(argv[1]);
    if (mp3.empty()) {
        std::fprintf(stderr, "decodebench: cannot read %s\n", argv[1]);
        return 1;
    }

    Mp3Layout layout;
    if (!scanMp3Layout(mp3.data(), mp3.size(), &layout)) {
        std::fprintf(stderr, "decodebench: %s is no MP3 stream\n", argv[1]);
        return 1;
    }
    double best = 1e30;
    size_t frames = 0;
    for (int run = 0; run < runs; ++run) {
        double start = now();
        StreamDecoder* decoder = nullptr;
        PcmSource source;
        if (openStreamDecoder(&decoder, &source, mp3.data(), layout, false) != STREAM_DECODER_OK) {
            std::fprintf(stderr, "decodebench: the decoder cannot open this file\n");
            return 1;
        }
        static int16_t block[2 * 4096];
        frames = 0;
        size_t got;
        while ((got = readPcm(&source, block, 4096)) > 0)
            frames += got;
        closeStreamDecoder(decoder, &source);
        double elapsed = now() - start;
        if (elapsed < best)
            best = elapsed;
    }
    double decoderBest = 1e30;
    for (int run = 0; run < runs; ++run) {
        double elapsed = decoderOnlySeconds(mp3, layout);
        if (elapsed >= 0 && elapsed < decoderBest)
            decoderBest = elapsed;
    }
    double seconds = double(frames) / layout.format.sampleRate;
    std::printf("decodebench: %.1f s of sound decoded in %.4f s (best of %d): %.0f x real time\n",
                seconds, best, runs, seconds / best);
    std::printf("decodebench: the decoder alone on the same frames: %.4f s\n", decoderBest);
    return 0;
}
