#include <gtest/gtest.h>

#include "fakes.h"
#include "music.h"

namespace {

using Calls = std::vector<std::string>;

class Music : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetFakes();
        musicData = nullptr;
        musicStream = nullptr;
        musicChannel = -1;
    }
    void TearDown() override { stopMusic(); }
};

}  // namespace

TEST_F(Music, StartsTheTunePausedFromItsOwnCopyInMemory)
{
    testing::internal::CaptureStdout();
    ASSERT_TRUE(startMusic());
    EXPECT_EQ("", testing::internal::GetCapturedStdout());
    EXPECT_TRUE(reportedErrors.empty());
    EXPECT_EQ((Calls{"GetVersion", "Init 44100 32 0", "Stream_Open 0x28132 0 9",
                     "Stream_PlayEx -1 1 1"}),
              fakeSound.calls);
    EXPECT_EQ(fakePack.tune, fakeSound.openedBytes);
    EXPECT_EQ(Calls{"data/gimme_64k.mp3 rb"}, fakePack.opened);
    EXPECT_EQ(0, fakePack.openStreams);  // closed before any image is read
    EXPECT_EQ(7, musicChannel);
    ASSERT_NE(nullptr, musicData);

    fakeSound.calls.clear();
    stopMusic();
    EXPECT_EQ((Calls{"Stream_Close 1", "Close"}), fakeSound.calls);
    EXPECT_EQ(nullptr, musicData);
    EXPECT_EQ(nullptr, musicStream);
    fakeSound.calls.clear();
    stopMusic();
    EXPECT_TRUE(fakeSound.calls.empty());
}

TEST_F(Music, VersionIsComparedInSinglePrecision)
{
    fakeSound.version = 3.70f;
    EXPECT_FALSE(startMusic());
    EXPECT_EQ(Calls{"Wrong FMOD DLL version!  You need 3.71.\n"}, reportedErrors);
    EXPECT_EQ(Calls{"GetVersion"}, fakeSound.calls);  // never initialised, so never closed

    resetFakes();
    fakeSound.version = 3.71f;
    EXPECT_TRUE(startMusic());
    EXPECT_TRUE(reportedErrors.empty());
}

TEST_F(Music, FailedInitReportsTheLibrarysTextAndShutsItDown)
{
    fakeSound.initSucceeds = false;
    fakeSound.errorCode = 3;
    EXPECT_FALSE(startMusic());
    EXPECT_EQ(Calls{"Couldn't init FMOD!  FMOD reports: Error initializing output device.\n"},
              reportedErrors);
    EXPECT_EQ((Calls{"GetVersion", "Init 44100 32 0", "GetError", "Close"}), fakeSound.calls);
    EXPECT_TRUE(fakePack.opened.empty());
    fakeSound.calls.clear();
    stopMusic();
    EXPECT_TRUE(fakeSound.calls.empty());
}

TEST_F(Music, UnopenableTunePrintsErrorThenReportsAndShutsDown)
{
    fakeSound.openSucceeds = false;
    fakeSound.errorCode = 10;
    testing::internal::CaptureStdout();
    EXPECT_FALSE(startMusic());
    EXPECT_EQ("Error!\n", testing::internal::GetCapturedStdout());
    EXPECT_EQ(Calls{"Couldn't load data/gimme_64k.mp3!  FMOD reports: Unknown file format\n"},
              reportedErrors);
    EXPECT_EQ((Calls{"GetVersion", "Init 44100 32 0", "Stream_Open 0x28132 0 9", "GetError",
                     "Close"}),
              fakeSound.calls);
    EXPECT_EQ(nullptr, musicStream);
    fakeSound.calls.clear();
    stopMusic();  // frees the tune, calls nothing in the library again
    EXPECT_TRUE(fakeSound.calls.empty());
    EXPECT_EQ(nullptr, musicData);
}

TEST_F(Music, MissingOrShortTuneFailsWithoutOpeningAStream)
{
    fakePack.hasTune = false;
    EXPECT_FALSE(startMusic());
    ASSERT_EQ(1u, reportedErrors.size());
    EXPECT_NE(std::string::npos, reportedErrors[0].find("data/gimme_64k.mp3"));
    EXPECT_EQ((Calls{"GetVersion", "Init 44100 32 0", "Close"}), fakeSound.calls);
    EXPECT_EQ(nullptr, musicData);

    resetFakes();
    fakePack.shortReadBy = 3;
    EXPECT_FALSE(startMusic());
    ASSERT_EQ(1u, reportedErrors.size());
    EXPECT_NE(std::string::npos, reportedErrors[0].find("Couldn't read data/gimme_64k.mp3"));
    EXPECT_EQ((Calls{"GetVersion", "Init 44100 32 0", "Close"}), fakeSound.calls);
    EXPECT_EQ(0, fakePack.openStreams);
    EXPECT_EQ(nullptr, musicData);

    resetFakes();
    fakePack.tune.clear();
    EXPECT_FALSE(startMusic());
    ASSERT_EQ(1u, reportedErrors.size());
    EXPECT_EQ((Calls{"GetVersion", "Init 44100 32 0", "Close"}), fakeSound.calls);
}

TEST(FmodErrorText, GivesTheLibrarysTextsAndUnknownOutsideThem)
{
    EXPECT_STREQ("No errors", fmodErrorText(0));
    EXPECT_STREQ("Not enough memory ", fmodErrorText(12));
    EXPECT_STREQ("Required Mediaplayer codec is not installed", fmodErrorText(18));
    EXPECT_STREQ("Unknown error", fmodErrorText(19));
    EXPECT_STREQ("Unknown error", fmodErrorText(-1));
    EXPECT_STREQ("Unknown error", fmodErrorText(-2147483647 - 1));
}
