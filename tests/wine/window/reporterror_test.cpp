#include "reporterror.h"

#include "windowtesthelpers.h"

#include <gtest/gtest.h>

#include <string>

// Shows one message box through reportError with this last-error code (set
// after the watching thread started, which changes the code) and reads it.
#define SHOW_AND_READ(watch, lastError, ...) \
    do {                                     \
        startMessageBoxWatch(watch);         \
        SetLastError(lastError);             \
        reportError(__VA_ARGS__);            \
        finishMessageBoxWatch(watch, 1);     \
    } while (0)

static std::string systemText(DWORD code)
{
    char* text = nullptr;
    FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                   reinterpret_cast<LPSTR>(&text), 0, nullptr);
    std::string result = text ? text : "";
    LocalFree(text);
    return result;
}

TEST(ReportError, PlainMessageInAnErrorBoxWithOneOkButton)
{
    MessageBoxWatch watch;
    SHOW_AND_READ(watch, 0, false, "Please select a resolution!");
    ASSERT_EQ(watch.texts.size(), 1u);
    EXPECT_EQ(watch.texts[0], "Please select a resolution!");
    EXPECT_EQ(watch.buttons[0], "OK");
    EXPECT_FALSE(watch.owned[0]);
}

TEST(ReportError, LongMessagesAreShownWhole)
{
    MessageBoxWatch watch;
    std::string exactly127(127, 'a');
    SHOW_AND_READ(watch, 0, false, "%s", exactly127.c_str());
    ASSERT_EQ(watch.texts.size(), 1u);
    EXPECT_EQ(watch.texts[0], exactly127);

    std::string libraryText(89, 'b');
    SHOW_AND_READ(watch, 0, false, "Couldn't load data/gimme_64k.mp3!  FMOD reports: %s\n", libraryText.c_str());
    ASSERT_EQ(watch.texts.size(), 1u);
    EXPECT_EQ(watch.texts[0], "Couldn't load data/gimme_64k.mp3!  FMOD reports: " + libraryText + "\n");

    std::string name(1500, 'c');
    SHOW_AND_READ(watch, ERROR_FILE_NOT_FOUND, true, "Error reading %s.\n", name.c_str());
    ASSERT_EQ(watch.texts.size(), 1u);
    EXPECT_EQ(watch.texts[0], "Error reading " + name + ".\n" + systemText(ERROR_FILE_NOT_FOUND));
}

TEST(ReportError, SystemTextOfTheLastErrorStandsOnItsOwnLine)
{
    ASSERT_EQ(systemText(ERROR_FILE_NOT_FOUND).back(), '\n');

    MessageBoxWatch watch;
    SHOW_AND_READ(watch, ERROR_FILE_NOT_FOUND, true, "Error reading %s.\n", "data/tdx.tga");
    ASSERT_EQ(watch.texts.size(), 1u);
    EXPECT_EQ(watch.texts[0], "Error reading data/tdx.tga.\n" + systemText(ERROR_FILE_NOT_FOUND));
    EXPECT_NE(systemText(ERROR_FILE_NOT_FOUND), "");

    SHOW_AND_READ(watch, 0, true, "At line %i of %s:\n", 12, "glwindow.cpp");
    ASSERT_EQ(watch.texts.size(), 1u);
    EXPECT_EQ(watch.texts[0], "At line 12 of glwindow.cpp:\n" + systemText(0));
    EXPECT_NE(systemText(0), "");

    // A code the system has no text for is still named.
    SHOW_AND_READ(watch, 0xE0001234, true, "At line %i of %s:\n", 7, "x.cpp");
    ASSERT_EQ(watch.texts.size(), 1u);
    EXPECT_EQ(watch.texts[0], "At line 7 of x.cpp:\nUnknown error 3758101044 (0xE0001234).\r\n");
}
