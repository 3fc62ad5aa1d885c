#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "../../support/soundcapture.h"
#include "mp3decoding.h"
#include "tunefile.h"

namespace {

// The whole tune through the system codec, trimmed, as stereo.
std::vector<int16_t> decodeTune(const std::vector<uint8_t>& mp3, int* channels)
{
    std::vector<int16_t> out;
    Mp3Layout layout;
    if (!scanMp3Layout(mp3.data(), mp3.size(), &layout))
        return out;
    *channels = layout.format.channels;
    AcmDecoder decoder;
    PcmSource source;
    if (openMp3Decoding(&decoder, &source, mp3.data(), layout, false) != MP3_DECODING_OK)
        return out;
    int16_t block[2 * 1000];
    size_t got;
    while ((got = readPcm(&source, block, 1000)) > 0)
        out.insert(out.end(), block, block + 2 * got);
    closeMp3Decoding(&decoder, &source);
    return out;
}

}  // namespace

TEST(AcmDecoding, MatchesAnIndependentDecoderSampleForSample)
{
    for (const char* name : {"tone2s_stereo", "tone2s_mono"}) {
        std::string base = std::string(TEST_TUNE_DIR) + "/" + name;
        std::vector<uint8_t> mp3 = readFile(base + ".mp3");
        std::vector<uint8_t> refBytes = readFile(base + ".mpg123.raw");
        ASSERT_FALSE(mp3.empty()) << base;
        ASSERT_FALSE(refBytes.empty()) << base;
        int channels = 0;
        std::vector<int16_t> ours = decodeTune(mp3, &channels);
        ASSERT_FALSE(ours.empty()) << name;
        const int16_t* ref = reinterpret_cast<const int16_t*>(refBytes.data());
        size_t refFrames = refBytes.size() / (2 * size_t(channels));
        ASSERT_EQ(refFrames, ours.size() / 2) << name;

        ReferenceDifference diff = differenceFromReference(ours, ref, channels, refFrames);
        EXPECT_GT(diff.meanSquare, 1e6) << name << ": the reference is silent";
        EXPECT_LE(diff.worst, 4) << name << ": worst difference at sample frame " << diff.worstAt;
        std::printf("%s: %zu sample frames, largest difference %d\n", name, refFrames, diff.worst);
    }
}
