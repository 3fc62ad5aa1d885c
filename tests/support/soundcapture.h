// What the sound tests look for in 16-bit stereo they captured or decoded:
// the left channel, the first loud sample, and how far it strays from a
// reference decode of the tune, played once or in a loop.
#ifndef SNOWGIG_TEST_SOUNDCAPTURE_H
#define SNOWGIG_TEST_SOUNDCAPTURE_H

#include <cstdint>
#include <cstdlib>
#include <vector>

// The left channel of little-endian 16-bit stereo bytes.
inline std::vector<int16_t> leftChannel(const std::vector<uint8_t>& raw)
{
    std::vector<int16_t> left(raw.size() / 4);
    for (size_t i = 0; i < left.size(); ++i)
        left[i] = int16_t(raw[4 * i] | raw[4 * i + 1] << 8);
    return left;
}

// The first sample from `from` on louder than a quarter of the test tone's
// height; -1 when there is none.
inline long firstLoud(const std::vector<int16_t>& samples, long from)
{
    for (long i = from; i < long(samples.size()); ++i) {
        if (std::abs(samples[size_t(i)]) > 4000)
            return i;
    }
    return -1;
}

// Largest difference between capture frames [from, to) and `tune` looped, its
// sample frame 0 at capture frame `origin`; `worstAt` (if given) gets where.
inline int differenceFromLoop(const std::vector<int16_t>& left, const std::vector<int16_t>& tune,
                              long origin, long from, long to, long* worstAt = nullptr)
{
    int worst = 0;
    long length = long(tune.size());
    for (long i = from; i < to && i < long(left.size()); ++i) {
        long inTune = ((i - origin) % length + length) % length;
        int d = std::abs(left[size_t(i)] - tune[size_t(inTune)]);
        if (d > worst) {
            worst = d;
            if (worstAt)
                *worstAt = i;
        }
    }
    return worst;
}

struct ReferenceDifference {
    int worst = 0;         // largest difference of a sample
    size_t worstAt = 0;    // at this stereo sample frame
    double meanSquare = 0; // of the reference as compared, to tell it from silence
};

// Stereo `ours` against a reference decode of `channels` channels and
// `referenceFrames` frames, looped where `ours` runs longer.
inline ReferenceDifference differenceFromReference(const std::vector<int16_t>& ours,
                                                   const int16_t* reference, int channels,
                                                   size_t referenceFrames)
{
    ReferenceDifference result;
    double energy = 0;
    size_t frames = ours.size() / 2;
    for (size_t i = 0; i < frames; ++i) {
        size_t inTune = i % referenceFrames;
        for (size_t side = 0; side < 2; ++side) {
            int expected = reference[inTune * size_t(channels) + (channels == 2 ? side : 0)];
            int d = std::abs(ours[2 * i + side] - expected);
            energy += double(expected) * expected;
            if (d > result.worst) {
                result.worst = d;
                result.worstAt = i;
            }
        }
    }
    result.meanSquare = frames ? energy / double(2 * frames) : 0.0;
    return result;
}

#endif
