// The library's decoding (libmpg123, trimmed and looped by the shared feed),
// on either platform, against the mpg123 program's own gapless decode of the
// same files: played once it is the tune sample for sample, looped each pass
// follows the last directly, every sample equal.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "../../support/filebytes.h"
#include "../../support/soundcapture.h"
#include "soundplatform.h"

namespace {

struct DecodeCase {
    const char* path;  // without ".mp3"
    int passes;        // 1: played once; more: looped through passes - 1 seams
};

// A bare name is a test tune; the demo's tune comes with its folder.
std::string tunePath(const char* name)
{
    return std::strchr(name, '/') ? name : std::string(TEST_TUNE_DIR) + "/" + name;
}

// `frames` stereo sample frames of the stream as the library plays it; fewer
// when a stream that does not loop ends.
std::vector<int16_t> decode(const std::vector<uint8_t>& mp3, bool loop, size_t frames,
                            int* channels)
{
    std::vector<int16_t> out;
    Mp3Layout layout;
    if (!scanMp3Layout(mp3.data(), mp3.size(), &layout))
        return out;
    *channels = layout.format.channels;
    StreamDecoder* decoder = nullptr;
    PcmSource source;
    if (openStreamDecoder(&decoder, &source, mp3.data(), layout, loop) != STREAM_DECODER_OK)
        return out;
    out.resize(2 * frames);
    size_t got = 0;
    while (got < frames) {
        size_t n = readPcm(&source, out.data() + 2 * got, frames - got < 4096 ? frames - got : 4096);
        if (n == 0)
            break;
        got += n;
    }
    out.resize(2 * got);
    closeStreamDecoder(decoder, &source);
    return out;
}

class Decoding : public ::testing::TestWithParam<DecodeCase> {};

}  // namespace

TEST_P(Decoding, EqualsMpg123sDecodeLoopedOrNot)
{
    const DecodeCase& c = GetParam();
    std::string base = tunePath(c.path);
    std::vector<uint8_t> mp3 = readFile(base + ".mp3");
    std::vector<uint8_t> refBytes = readFile(base + ".mpg123.raw");
    ASSERT_FALSE(mp3.empty()) << base;
    ASSERT_FALSE(refBytes.empty()) << base;
    Mp3Layout layout;
    ASSERT_TRUE(scanMp3Layout(mp3.data(), mp3.size(), &layout));
    int channels = layout.format.channels;
    const int16_t* ref = reinterpret_cast<const int16_t*>(refBytes.data());
    size_t refFrames = refBytes.size() / (2 * size_t(channels));

    bool loop = c.passes > 1;
    std::vector<int16_t> ours = decode(mp3, loop, size_t(c.passes) * refFrames + 1000, &channels);
    // Played once it ends with the tune; looped it goes on for ever.
    ASSERT_EQ(loop ? size_t(c.passes) * refFrames + 1000 : refFrames, ours.size() / 2);

    ReferenceDifference diff = differenceFromReference(ours, ref, channels, refFrames);
    EXPECT_GT(diff.meanSquare, 1e5) << "the reference is silent";
    // The same decoder as the reference's: not one sample may differ. A sample
    // lost or doubled at a seam would shift everything after it.
    EXPECT_EQ(0, diff.worst) << "at sample frame " << diff.worstAt << " ("
                             << diff.worstAt % refFrames << " into pass "
                             << diff.worstAt / refFrames << ")";
    std::printf("%s, %d pass(es): %zu sample frames, largest difference %d\n", c.path, c.passes,
                ours.size() / 2, diff.worst);
}

INSTANTIATE_TEST_SUITE_P(
    TestTunes, Decoding,
    ::testing::Values(DecodeCase{"tone2s_stereo", 1}, DecodeCase{"tone2s_mono", 1},
                      DecodeCase{"tone2s_stereo", 3}, DecodeCase{"tone2s_mono", 3}));

#ifdef DEMO_TUNE
INSTANTIATE_TEST_SUITE_P(DemoTune, Decoding, ::testing::Values(DecodeCase{DEMO_TUNE, 2}));
#endif
