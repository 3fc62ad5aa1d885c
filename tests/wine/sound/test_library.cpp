// The library's calls, the same for every platform's library: argument
// checks, error codes, one stream playing at a time, and Close ending all.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>
#include <vector>

#include "fmod.h"
#include "tunefile.h"

namespace {

const unsigned int demoMode = 0x28132;
FSOUND_STREAM* const bogusStream = reinterpret_cast<FSOUND_STREAM*>(0x12345678);

void playFor(int ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

int errorOf(bool failed)
{
    return failed ? FSOUND_GetError() : -100;
}

class SoundLibrary : public ::testing::Test {
protected:
    void SetUp() override { tune = readTestTune("tone2s_stereo.mp3"); }
    void TearDown() override { FSOUND_Close(); }
    const char* tuneData() const { return reinterpret_cast<const char*>(tune.data()); }
    int tuneSize() const { return int(tune.size()); }
    std::vector<uint8_t> tune;
};

}  // namespace

TEST_F(SoundLibrary, ReportsAtLeastTheVersionTheDemoNeeds)
{
    EXPECT_GE(FSOUND_GetVersion(), 3.71f);
}

TEST_F(SoundLibrary, EveryCallBeforeInitFailsAsUninitialised)
{
    ASSERT_FALSE(tune.empty());
    FSOUND_Close();  // harmless without Init
    EXPECT_EQ(FMOD_ERR_UNINITIALIZED, errorOf(!FSOUND_Stream_Open(tuneData(), demoMode, 0, tuneSize())));
    EXPECT_EQ(FMOD_ERR_UNINITIALIZED, errorOf(FSOUND_Stream_PlayEx(FSOUND_FREE, bogusStream, nullptr, 1) == -1));
    EXPECT_EQ(FMOD_ERR_UNINITIALIZED, errorOf(!FSOUND_SetPaused(0, 0)));
    EXPECT_EQ(FMOD_ERR_UNINITIALIZED, errorOf(!FSOUND_Stream_Close(bogusStream)));
}

TEST_F(SoundLibrary, InitChecksItsArgumentsAndRefusesASecondInit)
{
    EXPECT_EQ(FMOD_ERR_INVALID_PARAM, errorOf(!FSOUND_Init(0, 32, 0)));
    EXPECT_EQ(FMOD_ERR_INVALID_PARAM, errorOf(!FSOUND_Init(44100, 0, 0)));
    ASSERT_TRUE(FSOUND_Init(44100, 32, 0)) << FSOUND_GetError();
    EXPECT_EQ(FMOD_ERR_BUSY, errorOf(!FSOUND_Init(44100, 32, 0)));
    FSOUND_Close();
    EXPECT_TRUE(FSOUND_Init(44100, 32, 0)) << "after Close the library can start again";
}

TEST_F(SoundLibrary, DataThatIsNoMp3GivesNoStream)
{
    ASSERT_TRUE(FSOUND_Init(44100, 32, 0));
    const char text[] = "Merry Christmas! This is no tune, only a greeting.";
    EXPECT_EQ(FMOD_ERR_FILE_FORMAT, errorOf(!FSOUND_Stream_Open(text, demoMode, 0, sizeof text)));
    std::vector<char> noise(65536);
    srand(300);
    for (char& c : noise)
        c = char(rand());
    EXPECT_EQ(FMOD_ERR_FILE_FORMAT, errorOf(!FSOUND_Stream_Open(noise.data(), demoMode, 0, int(noise.size()))));
    ASSERT_GT(tuneSize(), 300);
    EXPECT_EQ(FMOD_ERR_FILE_FORMAT, errorOf(!FSOUND_Stream_Open(tuneData(), demoMode, 0, 100)))
        << "only part of the Info frame";

    EXPECT_EQ(FMOD_ERR_INVALID_PARAM, errorOf(!FSOUND_Stream_Open(nullptr, demoMode, 0, 100)));
    EXPECT_EQ(FMOD_ERR_INVALID_PARAM, errorOf(!FSOUND_Stream_Open(tuneData(), demoMode, 0, 0)));
    EXPECT_EQ(FMOD_ERR_INVALID_PARAM, errorOf(!FSOUND_Stream_Open(tuneData(), demoMode, -1, tuneSize())));
    EXPECT_EQ(FMOD_ERR_INVALID_PARAM, errorOf(!FSOUND_Stream_Open(tuneData(), demoMode, tuneSize(), tuneSize())));
    EXPECT_EQ(FMOD_ERR_INVALID_PARAM,
              errorOf(!FSOUND_Stream_Open(tuneData(), demoMode & ~FSOUND_LOADMEMORY, 0, tuneSize())));
}

TEST_F(SoundLibrary, StreamsAndChannelsAreCheckedAndCloseEndsEverything)
{
    ASSERT_TRUE(FSOUND_Init(44100, 32, 0));
    FSOUND_STREAM* stream = FSOUND_Stream_Open(tuneData(), demoMode, 0, tuneSize());
    ASSERT_NE(nullptr, stream) << FSOUND_GetError();
    FSOUND_STREAM* second = FSOUND_Stream_Open(tuneData(), demoMode, 0, tuneSize());
    ASSERT_NE(nullptr, second);

    EXPECT_EQ(FMOD_ERR_INVALID_PARAM, errorOf(FSOUND_Stream_PlayEx(FSOUND_FREE, bogusStream, nullptr, 1) == -1));
    EXPECT_EQ(FMOD_ERR_INVALID_PARAM, errorOf(FSOUND_Stream_PlayEx(FSOUND_FREE, nullptr, nullptr, 1) == -1));
    EXPECT_EQ(FMOD_ERR_INVALID_PARAM, errorOf(FSOUND_Stream_PlayEx(32, stream, nullptr, 1) == -1));
    EXPECT_EQ(FMOD_ERR_INVALID_PARAM, errorOf(FSOUND_Stream_PlayEx(-2, stream, nullptr, 1) == -1));

    int channel = FSOUND_Stream_PlayEx(FSOUND_FREE, stream, nullptr, 1);
    ASSERT_GE(channel, 0) << FSOUND_GetError();
    EXPECT_EQ(FMOD_ERR_PLAY, errorOf(FSOUND_Stream_PlayEx(FSOUND_FREE, stream, nullptr, 1) == -1));
    EXPECT_EQ(FMOD_ERR_CHANNEL_ALLOC, errorOf(FSOUND_Stream_PlayEx(FSOUND_FREE, second, nullptr, 1) == -1));

    EXPECT_EQ(FMOD_ERR_INVALID_PARAM, errorOf(!FSOUND_SetPaused(channel + 1, 0)));
    EXPECT_EQ(FMOD_ERR_INVALID_PARAM, errorOf(!FSOUND_SetPaused(-1, 0)));
    EXPECT_TRUE(FSOUND_SetPaused(channel, 0));
    EXPECT_TRUE(FSOUND_SetPaused(channel, 0)) << "unpausing a running channel is harmless";
    EXPECT_TRUE(FSOUND_SetPaused(channel, 1));

    EXPECT_TRUE(FSOUND_Stream_Close(stream));
    EXPECT_EQ(FMOD_ERR_INVALID_PARAM, errorOf(!FSOUND_Stream_Close(stream))) << "closed twice";
    EXPECT_EQ(FMOD_ERR_INVALID_PARAM, errorOf(!FSOUND_SetPaused(channel, 0))) << "its channel is gone";
    EXPECT_GE(FSOUND_Stream_PlayEx(FSOUND_FREE, second, nullptr, 0), 0) << "the output is free again";

    FSOUND_Close();
    EXPECT_EQ(FMOD_ERR_UNINITIALIZED, errorOf(!FSOUND_Stream_Close(second)));
    FSOUND_Close();
}

TEST_F(SoundLibrary, PlaysStreamsOfAnotherSampleRateAndThenTheMixRateAgain)
{
    std::vector<uint8_t> other = readTestTune("tone1s_22khz.mp3");
    ASSERT_FALSE(other.empty());
    ASSERT_TRUE(FSOUND_Init(44100, 32, 0));
    FSOUND_STREAM* slow = FSOUND_Stream_Open(reinterpret_cast<const char*>(other.data()),
                                             demoMode, 0, int(other.size()));
    ASSERT_NE(nullptr, slow) << FSOUND_GetError();
    int channel = FSOUND_Stream_PlayEx(FSOUND_FREE, slow, nullptr, 0);
    ASSERT_GE(channel, 0) << FSOUND_GetError();
    playFor(200);
    EXPECT_TRUE(FSOUND_Stream_Close(slow));

    FSOUND_STREAM* stream = FSOUND_Stream_Open(tuneData(), demoMode, 0, tuneSize());
    ASSERT_NE(nullptr, stream);
    channel = FSOUND_Stream_PlayEx(FSOUND_FREE, stream, nullptr, 0);
    EXPECT_GE(channel, 0) << FSOUND_GetError();
    playFor(200);
    EXPECT_TRUE(FSOUND_SetPaused(channel, 1));
    EXPECT_TRUE(FSOUND_Stream_Close(stream));
}
