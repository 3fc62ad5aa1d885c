#include <gtest/gtest.h>

#include <vector>

#include "looptrim.h"

namespace {

// Feeds `total` decoder output samples whose values are their own positions
// within a pass (mono), in chunks of varying size, and returns what is kept.
std::vector<int16_t> keptPositions(LoopTrim trim, int64_t total)
{
    std::vector<int16_t> kept;
    const size_t chunks[] = {1, 7, 1152, 333, 4096};
    int64_t position = 0;
    for (int c = 0; position < total; ++c) {
        size_t n = chunks[c % 5];
        if (int64_t(n) > total - position)
            n = size_t(total - position);
        std::vector<int16_t> in(n);
        for (size_t i = 0; i < n; ++i)
            in[i] = int16_t((position + int64_t(i)) % trim.passLength);
        std::vector<int16_t> out(2 * n);
        size_t got = trimDecoded(&trim, in.data(), n, 1, out.data());
        for (size_t i = 0; i < got; ++i) {
            EXPECT_EQ(out[2 * i], out[2 * i + 1]);
            kept.push_back(out[2 * i]);
        }
        position += int64_t(n);
    }
    return kept;
}

}  // namespace

TEST(LoopTrim, PaddingShorterThanTheDecoderDelayWrapsIntoTheNextPass)
{
    LoopTrim trim = makeLoopTrim(4, 1152, true, 576, 100, true);
    ASSERT_EQ(1105, trim.keepStart);
    ASSERT_EQ(4608 - 676, trim.keepLength);
    std::vector<int16_t> kept = keptPositions(trim, 3 * 4608);
    ASSERT_GE(kept.size(), size_t(2 * trim.keepLength));
    for (size_t i = 0; i < kept.size(); ++i)
        ASSERT_EQ((1105 + int(i % 3932)) % 4608, kept[i]) << "sample " << i;
}

TEST(LoopTrim, ImpossibleOrMissingValuesKeepEverySample)
{
    for (LoopTrim trim : {makeLoopTrim(2, 1152, true, 2000, 304, true),
                          makeLoopTrim(2, 1152, true, -1, 10, true),
                          makeLoopTrim(2, 1152, false, 576, 10, true)}) {
        EXPECT_EQ(0, trim.keepStart);
        EXPECT_EQ(2304, trim.keepLength);
        std::vector<int16_t> kept = keptPositions(trim, 5000);
        ASSERT_EQ(size_t(5000), kept.size());
        for (size_t i = 0; i < kept.size(); ++i)
            ASSERT_EQ(int(i % 2304), kept[i]);
    }
}
