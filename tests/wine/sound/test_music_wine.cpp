// The demo's music start with the real library, or with test builds of it
// that report chosen versions. Messages are recorded instead of shown, and the
// pack is a stand-in that serves a test tune under the demo's name.
#include <gtest/gtest.h>

#include <cstdarg>
#include <cstring>
#include <string>
#include <vector>

#include "music.h"
#include "pack.h"
#include "reporterror.h"
#include "tunefile.h"

namespace {

std::vector<std::string> reported;
std::vector<uint8_t> tune;
PackEntry tuneEntry;
PackStream tuneStream;

class MusicWithLibrary : public ::testing::Test {
protected:
    void SetUp() override
    {
        reported.clear();
        tune = readTestTune("tone2s_mono.mp3");
    }
    void TearDown() override { stopMusic(); }
};

}  // namespace

void reportError(bool, const char* format, ...)
{
    char text[1024];
    va_list args;
    va_start(args, format);
    vsnprintf(text, sizeof text, format, args);
    va_end(args);
    reported.push_back(text);
}

PackStream* packOpen(const char* path, const char*)
{
    if (std::strcmp(path, "data/gimme_64k.mp3") != 0 || tune.empty())
        return nullptr;
    tuneEntry.size = int32_t(tune.size());
    tuneStream.entry = &tuneEntry;
    tuneStream.position = 0;
    return &tuneStream;
}

int packRead(void* buffer, int32_t size, int32_t count, PackStream* stream)
{
    int32_t n = size * count;
    if (n > stream->entry->size - stream->position)
        n = stream->entry->size - stream->position;
    std::memcpy(buffer, tune.data() + stream->position, size_t(n));
    stream->position += n;
    return n / size;
}

void packClose(PackStream*& stream)
{
    stream = nullptr;
}

TEST_F(MusicWithLibrary, StartsWithTheLibraryItShips)
{
    ASSERT_FALSE(tune.empty());
    ASSERT_TRUE(startMusic()) << (reported.empty() ? "" : reported[0]);
    EXPECT_TRUE(reported.empty());
    EXPECT_NE(nullptr, musicStream);
    EXPECT_GE(musicChannel, 0);
    EXPECT_TRUE(FSOUND_SetPaused(musicChannel, 0));
}

TEST_F(MusicWithLibrary, WithoutAnOutputDeviceReportsTheInitialisationFailure)
{
    EXPECT_FALSE(startMusic());
    EXPECT_EQ(std::vector<std::string>{
                  "Couldn't init FMOD!  FMOD reports: Error initializing output device.\n"},
              reported);
    EXPECT_EQ(nullptr, musicStream);
}

TEST_F(MusicWithLibrary, GarbageInsteadOfTheTuneGivesTheFormatError)
{
    tune.assign(5000, 0x42);
    testing::internal::CaptureStdout();
    EXPECT_FALSE(startMusic());
    EXPECT_EQ("Error!\n", testing::internal::GetCapturedStdout());
    EXPECT_EQ(std::vector<std::string>{
                  "Couldn't load data/gimme_64k.mp3!  FMOD reports: Unknown file format\n"},
              reported);
}

TEST_F(MusicWithLibrary, RefusesALibraryOlderThan371)
{
    ASSERT_EQ(3.70f, FSOUND_GetVersion());
    EXPECT_FALSE(startMusic());
    EXPECT_EQ(std::vector<std::string>{"Wrong FMOD DLL version!  You need 3.71.\n"}, reported);
}

TEST_F(MusicWithLibrary, AcceptsALibraryOf371)
{
    ASSERT_EQ(3.71f, FSOUND_GetVersion());
    EXPECT_TRUE(startMusic()) << (reported.empty() ? "" : reported[0]);
    EXPECT_TRUE(reported.empty());
}
