#include "modefilter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Runs an enumeration through the filter the way the Setup dialog does and
// returns the kept records, in order.
static std::vector<ModeFields> keptModes(std::vector<ModeFields> enumerated)
{
    std::vector<ModeFields*> kept;
    for (ModeFields& mode : enumerated)
        if (modeBelongsInList(kept, mode))
            kept.push_back(&mode);
    std::vector<ModeFields> result;
    for (ModeFields* mode : kept)
        result.push_back(*mode);
    return result;
}

static std::string describe(const std::vector<ModeFields>& modes)
{
    std::string text;
    for (const ModeFields& m : modes)
        text += std::to_string(m.width) + "x" + std::to_string(m.height) + "x" +
                std::to_string(m.bitsPerPixel) + "@" + std::to_string(m.refreshRate) + " ";
    return text;
}

TEST(ModeFilter, VirtualDesktopListKeepsOrderAndDropsEightBitModes)
{
    // What a 1024 x 768 Wine desktop enumerates: every size at 32, then 16, then 8 bits.
    const uint32_t sizes[][2] = {{320, 200}, {320, 240}, {400, 300}, {512, 384}, {640, 400},
                                 {640, 480}, {768, 576}, {800, 600}, {1024, 768}};
    std::vector<ModeFields> enumerated;
    std::string expected;
    for (uint32_t depth : {32u, 16u, 8u}) {
        for (const auto& size : sizes) {
            enumerated.push_back({size[0], size[1], depth, 60});
            if (depth != 8)
                expected += std::to_string(size[0]) + "x" + std::to_string(size[1]) + "x" +
                            std::to_string(depth) + "@60 ";
        }
    }
    ASSERT_EQ(enumerated.size(), 27u);
    std::vector<ModeFields> kept = keptModes(enumerated);
    EXPECT_EQ(kept.size(), 18u);
    EXPECT_EQ(describe(kept), expected);
}

TEST(ModeFilter, FirstUsableRefreshRateOfEachSizeAndDepthWins)
{
    std::vector<ModeFields> kept = keptModes({
        {640, 480, 32, 50},   // too slow
        {640, 480, 32, 75},   // first usable: kept
        {640, 480, 32, 60},   // same triple, dropped
        {640, 480, 32, 0},    // same triple, dropped
        {640, 480, 16, 0},    // the display's default rate counts as usable
        {640, 480, 16, 85},
        {800, 600, 32, 59},   // just too slow
        {800, 600, 32, 1},
        {1024, 768, 15, 60},  // below 16 bits
        {1024, 768, 16, 60},
        {1024, 768, 24, 60},
    });
    EXPECT_EQ(describe(kept), "640x480x32@75 640x480x16@0 1024x768x16@60 1024x768x24@60 ");
}

TEST(ModeFilter, SizeOfferedOnlyAtSlowRatesIsNotFound)
{
    std::vector<ModeFields> enumerated = {{640, 480, 32, 30}, {640, 480, 32, 59}, {800, 600, 32, 60}};
    std::vector<ModeFields*> kept;
    for (ModeFields& mode : enumerated)
        if (modeBelongsInList(kept, mode))
            kept.push_back(&mode);
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(findModeIndex(kept, 640, 480, 32), -1);
    EXPECT_EQ(findModeIndex(kept, 800, 600, 32), 0);
}

TEST(FindMode, MatchesWidthHeightAndDepthButNotRefreshRate)
{
    ModeFields a = {640, 480, 16, 60}, b = {640, 480, 32, 72}, c = {640, 480, 32, 60},
               d = {480, 640, 32, 60};
    std::vector<ModeFields*> modes = {&a, &b, &c, &d};
    EXPECT_EQ(findModeIndex(modes, 640, 480, 32), 1);   // the first of two, whatever its rate
    EXPECT_EQ(findModeIndex(modes, 640, 480, 16), 0);
    EXPECT_EQ(findModeIndex(modes, 480, 640, 32), 3);   // width and height are not swapped
    EXPECT_EQ(findModeIndex(modes, 640, 480, 24), -1);
    EXPECT_EQ(findModeIndex(modes, 641, 480, 32), -1);
    EXPECT_EQ(findModeIndex(std::vector<ModeFields*>(), 640, 480, 32), -1);
}
