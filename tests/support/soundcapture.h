// What the playback tests look for in a captured run of 16-bit stereo: the
// left channel, the first loud sample, and how far the capture strays from a
// reference tune played in a loop.
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

#endif
