#include "errormessage.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

static std::string message(const char* appended, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    char* text = formatErrorMessage(appended, format, args);
    va_end(args);
    if (!text)
        return "<null>";
    std::string result = text;
    free(text);
    return result;
}

TEST(ErrorMessage, LongMessagesAreKeptWhole)
{
    std::string exactly127(127, 'x');
    EXPECT_EQ(message(nullptr, "%s", exactly127.c_str()), exactly127);

    // The longest message the music start can raise: 139 characters.
    std::string libraryText(89, 'e');
    std::string music = message(nullptr, "Couldn't load data/gimme_64k.mp3!  FMOD reports: %s\n",
                                libraryText.c_str());
    EXPECT_EQ(music.size(), 139u);
    EXPECT_EQ(music, "Couldn't load data/gimme_64k.mp3!  FMOD reports: " + libraryText + "\n");

    std::string huge(100000, 'h');
    EXPECT_EQ(message(nullptr, "[%s]", huge.c_str()), "[" + huge + "]");
}

TEST(ErrorMessage, SystemTextFollowsOnItsOwnLine)
{
    EXPECT_EQ(message("The parameter is incorrect.\r\n", "At line %i of %s:\n", 42,
                      "/src/common/glwindow.cpp"),
              "At line 42 of /src/common/glwindow.cpp:\nThe parameter is incorrect.\r\n");

    // A formatted part beyond 1024 characters still comes whole before the system text.
    std::string path(2000, 'p');
    EXPECT_EQ(message("Success.\r\n", "Error reading %s.\n", path.c_str()),
              "Error reading " + path + ".\nSuccess.\r\n");

    EXPECT_EQ(message("", "Please select a resolution!"), "Please select a resolution!");
    EXPECT_EQ(message(nullptr, "%s", ""), "");
}

TEST(ErrorMessage, UnknownErrorCodeIsNamedAndFitsItsBuffer)
{
    char text[64];
    describeUnknownError(text, sizeof text, 0xE0001234ul);
    EXPECT_STREQ(text, "Unknown error 3758101044 (0xE0001234).\r\n");

    char small[12];
    memset(small, '#', sizeof small);
    describeUnknownError(small, 8, 1234);
    EXPECT_STREQ(small, "Unknown");
    EXPECT_EQ(small[8], '#');
}
