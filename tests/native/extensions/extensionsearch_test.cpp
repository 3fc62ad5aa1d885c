#include "extensionsearch.h"
#include "glversion.h"

#include <gtest/gtest.h>

TEST(ExtensionSearch, FindsWholeWordsOnly)
{
    const char* offered = "GL_ARB_multitexture GL_EXT_bgra";
    EXPECT_TRUE(containsExtension(offered, "GL_ARB_multitexture"));
    EXPECT_TRUE(containsExtension(offered, "GL_EXT_bgra"));  // last word
    EXPECT_FALSE(containsExtension(offered, "GL_ARB_multi"));  // prefix
    EXPECT_FALSE(containsExtension(offered, "GL_EXT_bgr"));
    EXPECT_FALSE(containsExtension(offered, "GL_ARB_multitexture2"));
    EXPECT_FALSE(containsExtension(offered, "ARB_multitexture"));  // suffix
    EXPECT_FALSE(containsExtension(offered, "bgra"));
}

TEST(ExtensionSearch, NeverFindsEmptyOrSpacedNames)
{
    const char* offered = "GL_ARB_multitexture GL_EXT_bgra ";
    EXPECT_FALSE(containsExtension(offered, ""));
    EXPECT_FALSE(containsExtension(offered, " "));
    EXPECT_FALSE(containsExtension(offered, "GL_ARB_multitexture GL_EXT_bgra"));
    EXPECT_FALSE(containsExtension(offered, "GL_EXT_bgra "));
    EXPECT_FALSE(containsExtension(offered, nullptr));
    EXPECT_FALSE(containsExtension(nullptr, "GL_EXT_bgra"));
    EXPECT_FALSE(containsExtension("", "GL_EXT_bgra"));
}

TEST(ExtensionSearch, KeepsLookingPastPartialMatches)
{
    // The first occurrences are parts of longer names; the word comes later.
    EXPECT_TRUE(containsExtension("GL_EXT_bgra_x xGL_EXT_bgra GL_EXT_bgra", "GL_EXT_bgra"));
    EXPECT_TRUE(containsExtension("  GL_EXT_bgra  ", "GL_EXT_bgra"));
    // Two copies run together are one longer name, not the name itself.
    EXPECT_FALSE(containsExtension("GL_EXT_bgraGL_EXT_bgra", "GL_EXT_bgra"));
    EXPECT_FALSE(containsExtension("aaa", "aa"));
    EXPECT_TRUE(containsExtension("aaa aa", "aa"));
}

TEST(GLVersion, RejectsStringsWithoutLeadingNumber)
{
    int major = 7;
    int minor = 7;
    for (const char* text : {"", "1", "1.", ".1", "x1.4", "Mesa 1.4", " 1.4", "1,4"}) {
        EXPECT_FALSE(parseGLVersion(text, &major, &minor)) << '"' << text << '"';
    }
    EXPECT_FALSE(parseGLVersion(nullptr, &major, &minor));
    EXPECT_EQ(7, major);
    EXPECT_EQ(7, minor);
    // An absurdly long number stays a number.
    EXPECT_TRUE(parseGLVersion("99999999999999999999.1", &major, &minor));
    EXPECT_GT(major, 1);
}
