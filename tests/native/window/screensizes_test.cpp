#include "screensizes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// The Setup list of a screen without a mode list of its own (the web page's):
// the 4:3 sizes that fit on it, each through the same filter and entry text
// as any other display's modes.
static std::vector<std::string> setupEntries(uint32_t screenWidth, uint32_t screenHeight)
{
    std::vector<ModeFields> offered = fourByThreeModesWithin(screenWidth, screenHeight);
    std::vector<ModeFields*> kept;
    for (ModeFields& mode : offered)
        if (modeBelongsInList(kept, mode))
            kept.push_back(&mode);
    std::vector<std::string> entries;
    for (const ModeFields* mode : kept) {
        char text[32];
        formatModeEntry(text, sizeof text, *mode);
        entries.push_back(text);
    }
    return entries;
}

TEST(ScreenSizes, FourByThreeSizesThatFitTheScreen)
{
    struct Case {
        uint32_t width, height;
        size_t count;        // entries
        const char* last;    // the largest, or "" when none fits
    } cases[] = {
        {1920, 1080, 9, "1400 x 1050 x 32 bpp"},  // a wide screen: the height decides
        {1024, 768, 6, "1024 x 768 x 32 bpp"},    // exactly one size: it is offered
        {1023, 768, 5, "800 x 600 x 32 bpp"},     // one pixel short: it is not
        {480, 640, 2, "400 x 300 x 32 bpp"},      // a screen on its side
        {319, 240, 0, ""},                        // nothing fits: the form has no entry
    };
    for (const Case& c : cases) {
        std::vector<std::string> entries = setupEntries(c.width, c.height);
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
        ASSERT_EQ(entries.size(), c.count);
        if (c.count > 0) {
            EXPECT_EQ(entries.front(), "320 x 240 x 32 bpp");
            EXPECT_EQ(entries.back(), c.last);
        }
    }
}

TEST(ScreenSizes, EntryTextIsCutToTheListsWidth)
{
    // As the dialogs print it: signed, and cut to the list's 31 characters;
    // a buffer of no size is left alone.
    const ModeFields huge = {4000000000u, 4000000000u, 32, 0};
    char text[32] = "abc";
    formatModeEntry(text, 0, huge);
    EXPECT_STREQ(text, "abc");
    formatModeEntry(text, sizeof text, huge);
    EXPECT_STREQ(text, "-294967296 x -294967296 x 32 bp");
}
