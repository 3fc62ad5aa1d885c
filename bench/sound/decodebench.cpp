// Decodes an MP3 file through the system codec and the library's trimming, as
// the library does while playing, and prints the time and the multiple of real
// time (best of several runs), beside the codec alone on the same frames.
//   decodebench file.mp3 [runs]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "../../tests/support/filebytes.h"
#include "mp3decoding.h"

namespace {

double now()
{
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return double(counter.QuadPart) / double(frequency.QuadPart);
}

// The codec alone: every frame, eight at a time, nothing trimmed or copied.
double codecOnlySeconds(const std::vector<uint8_t>& mp3, const Mp3Layout& layout)
{
    double start = now();
    AcmDecoder decoder;
    size_t chunk = 8 * size_t(layout.largestFrame);
    if (!openAcmDecoder(&decoder, layout.format, 2 * chunk, 2 * chunk / layout.smallestFrame + 1))
        return -1;
    size_t cursor = layout.firstFrame;
    uint32_t frames;
    size_t bytes;
    const int16_t* pcm;
    while ((bytes = takeMp3Frames(mp3.data(), layout, &cursor, chunk, &frames)) > 0) {
        if (decodeAcm(&decoder, mp3.data() + cursor - bytes, bytes, false, &pcm) < 0)
            break;
    }
    closeAcmDecoder(&decoder);
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
        AcmDecoder decoder;
        PcmSource source;
        if (openMp3Decoding(&decoder, &source, mp3.data(), layout, false) != MP3_DECODING_OK) {
            std::fprintf(stderr, "decodebench: the system has no codec for this file\n");
            return 1;
        }
        static int16_t block[2 * 4096];
        frames = 0;
        size_t got;
        while ((got = readPcm(&source, block, 4096)) > 0)
            frames += got;
        closeMp3Decoding(&decoder, &source);
        double elapsed = now() - start;
        if (elapsed < best)
            best = elapsed;
    }
    double codecBest = 1e30;
    for (int run = 0; run < runs; ++run) {
        double elapsed = codecOnlySeconds(mp3, layout);
        if (elapsed >= 0 && elapsed < codecBest)
            codecBest = elapsed;
    }
    double seconds = double(frames) / layout.format.sampleRate;
    std::printf("decodebench: %.1f s of sound decoded in %.4f s (best of %d): %.0f x real time\n",
                seconds, best, runs, seconds / best);
    std::printf("decodebench: the system codec alone on the same frames: %.4f s\n", codecBest);
    return 0;
}
