// Plays a test tune the way the demo does and listens to what the sound device
// was given: silence while paused, the tune right after the unpause, and a loop
// that runs through its seams with no gap and no click: every pass is the
// whole tune as mpg123 decodes it, the next pass following its last sample
// directly. The tune is a 441 Hz sine of exactly two seconds, so the loop is
// one unbroken sine.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "fmod.h"
#include "../../support/soundcapture.h"
#include "tunefile.h"

namespace {

const int rate = 44100;
const int frameUpdateMs = 15;

long capturedBytes(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return 0;
    return long(data.nFileSizeLow);
}

struct Heard {
    long onset = -1;           // first loud sample frame after the unpause
    long longestQuiet = 0;     // samples in a row near zero within the tune
    double crossingsPerSecond = 0;
};

Heard listen(const std::vector<int16_t>& left, long from, long seconds)
{
    Heard h;
    h.onset = firstLoud(left, from);
    if (h.onset < 0)
        return h;
    long begin = h.onset + 200;
    long end = begin + seconds * rate;
    if (end > long(left.size()))
        end = long(left.size());
    long quiet = 0;
    long crossings = 0;
    for (long i = begin; i < end; ++i) {
        int x = left[size_t(i)];
        quiet = std::abs(x) < 2000 ? quiet + 1 : 0;
        if (quiet > h.longestQuiet)
            h.longestQuiet = quiet;
        if ((x >= 0) != (left[size_t(i - 1)] >= 0))
            ++crossings;
    }
    h.crossingsPerSecond = double(crossings) * rate / double(end - begin);
    return h;
}

}  // namespace

TEST(Playback, SilentWhilePausedThenTheTuneLoopingWithoutASeam)
{
    const char* capture = std::getenv("SNOWGIG_CAPTURE");
    ASSERT_NE(nullptr, capture) << "run through the rig";
    std::string capturePath = windowsPath(capture);
    std::vector<uint8_t> file = readTestTune("tone2s_stereo.mp3");
    ASSERT_FALSE(file.empty());
    std::vector<int16_t> decoded = leftChannel(readTestTune("tone2s_stereo.mpg123.raw"));
    ASSERT_EQ(size_t(2 * rate), decoded.size());

    // The tune lives in pages of its own, so that reading it after the stream
    // is closed would fault.
    char* tune = static_cast<char*>(VirtualAlloc(nullptr, file.size(), MEM_COMMIT | MEM_RESERVE,
                                                 PAGE_READWRITE));
    ASSERT_NE(nullptr, tune);
    std::memcpy(tune, file.data(), file.size());

    ASSERT_TRUE(FSOUND_Init(44100, 32, 0)) << FSOUND_GetError();
    FSOUND_STREAM* stream = FSOUND_Stream_Open(tune, 0x28132, 0, int(file.size()));
    ASSERT_NE(nullptr, stream) << FSOUND_GetError();
    int channel = FSOUND_Stream_PlayEx(FSOUND_FREE, stream, nullptr, 1);
    ASSERT_GE(channel, 0);

    Sleep(1500);
    long pausedBytes = capturedBytes(capturePath);
    // Unpaused on every frame from now on, as the demo's timeline does.
    DWORD start = GetTickCount();
    while (GetTickCount() - start < 5500) {
        FSOUND_SetPaused(channel, 0);
        Sleep(frameUpdateMs);
    }
    EXPECT_TRUE(FSOUND_Stream_Close(stream));
    DWORD oldProtection;
    ASSERT_TRUE(VirtualProtect(tune, file.size(), PAGE_NOACCESS, &oldProtection));
    Sleep(300);
    FSOUND_Close();
    Sleep(200);

    std::vector<int16_t> left = leftChannel(readFile(capturePath));
    long pausedFrames = pausedBytes / 4;
    std::printf("captured %zu sample frames, %ld of them before the unpause\n", left.size(),
                pausedFrames);

    int loudestWhilePaused = 0;
    for (long i = 0; i < pausedFrames && i < long(left.size()); ++i)
        loudestWhilePaused = std::max(loudestWhilePaused, std::abs(int(left[size_t(i)])));
    EXPECT_EQ(0, loudestWhilePaused) << "sound while paused";

    Heard h = listen(left, pausedFrames, 4);
    ASSERT_GE(h.onset, 0) << "no tune after the unpause";
    std::printf("tune from sample frame %ld (%.0f ms into the unpause), longest quiet run %ld, "
                "%.1f zero crossings per second\n",
                h.onset, (h.onset - pausedFrames) * 1000.0 / rate, h.longestQuiet,
                h.crossingsPerSecond);
    EXPECT_LT(h.onset - pausedFrames, rate / 2) << "the tune starts late";
    ASSERT_GE(long(left.size()), h.onset + 200 + 4 * rate) << "too little was played";
    // A 16384-high sine at 441 Hz is near zero for a few samples at each
    // crossing; the untrimmed seam would be a thousand quiet samples long.
    EXPECT_LE(h.longestQuiet, 8) << "a gap in the loop";
    EXPECT_NEAR(882.0, h.crossingsPerSecond, 10.0) << "not the tune";

    // Line the capture up with the reference (its first loud sample is within
    // a sample or two of the capture's) and compare two seams' worth.
    long tuneOnset = firstLoud(decoded, 0);
    long bestOrigin = 0;
    int best = 1 << 30;
    for (long origin = h.onset - tuneOnset - 3; origin <= h.onset - tuneOnset + 3; ++origin) {
        int d = differenceFromLoop(left, decoded, origin, h.onset + 10, h.onset + 10 + rate);
        if (d < best) {
            best = d;
            bestOrigin = origin;
        }
    }
    long worstAt = 0;
    int worst =
        differenceFromLoop(left, decoded, bestOrigin, h.onset, h.onset + 4 * rate, &worstAt);
    std::printf("largest difference from the tune looped: %d at %ld sample frames into a pass\n",
                worst, ((worstAt - bestOrigin) % (2 * rate) + 2 * rate) % (2 * rate));
    // The library decodes with the reference's own decoder, so every sample is
    // the same. A sample too many or too few at a seam shifts the sine by a
    // sample: a difference of up to a thousand from there on.
    EXPECT_EQ(0, worst) << "the loop is not the tune joined to itself";
}

namespace {

// Runs of near-silence longer than 10 ms between the first and the last loud
// sample of a clocked capture: [start, length) in sample frames.
std::vector<std::pair<long, long>> silences(const std::vector<int16_t>& left, long from)
{
    std::vector<std::pair<long, long>> found;
    long last = long(left.size()) - 1;
    while (last > from && std::abs(left[size_t(last)]) <= 4000)
        --last;
    long quietSince = -1;
    for (long i = from; i <= last; ++i) {
        bool quiet = std::abs(left[size_t(i)]) < 2000;
        if (quiet && quietSince < 0)
            quietSince = i;
        if (!quiet && quietSince >= 0) {
            if (i - quietSince > rate / 100)
                found.push_back({quietSince, i - quietSince});
            quietSince = -1;
        }
    }
    return found;
}

}  // namespace

// The device goes away in mid-tune and no device is there for a while (through
// the output's test seam); the capture runs on the wall clock, so the gap is
// heard as silence. The tune must come back, the same tune, within a second of
// a device being there again.
TEST(DeviceLoss, TheTuneComesBackWithinASecondOfADevice)
{
    const char* capture = std::getenv("SNOWGIG_CAPTURE");
    ASSERT_NE(nullptr, capture) << "run through the rig";
    const long absentMs = 300;
    ASSERT_TRUE(SetEnvironmentVariableA("SNOWGIG_SOUND_DEVICE_LOSS", "1500,300"));
    std::vector<uint8_t> file = readTestTune("tone2s_stereo.mp3");
    ASSERT_FALSE(file.empty());

    ASSERT_TRUE(FSOUND_Init(44100, 32, 0)) << FSOUND_GetError();
    FSOUND_STREAM* stream =
        FSOUND_Stream_Open(reinterpret_cast<const char*>(file.data()), 0x28132, 0, int(file.size()));
    ASSERT_NE(nullptr, stream) << FSOUND_GetError();
    int channel = FSOUND_Stream_PlayEx(FSOUND_FREE, stream, nullptr, 1);
    ASSERT_GE(channel, 0);
    DWORD start = GetTickCount();
    while (GetTickCount() - start < 5000) {
        FSOUND_SetPaused(channel, 0);
        Sleep(frameUpdateMs);
    }
    EXPECT_TRUE(FSOUND_Stream_Close(stream));
    FSOUND_Close();
    Sleep(300);  // the recording reaches its file a little later
    SetEnvironmentVariableA("SNOWGIG_SOUND_DEVICE_LOSS", nullptr);

    std::vector<int16_t> left = leftChannel(readFile(windowsPath(capture)));
    long onset = firstLoud(left, 0);
    ASSERT_GE(onset, 0) << "no tune at all";
    std::vector<std::pair<long, long>> gaps = silences(left, onset);
    std::printf("%zu silence(s) after the tune began:", gaps.size());
    long longest = 0;
    for (const auto& gap : gaps) {
        std::printf(" %.0f ms at %.2f s", gap.second * 1000.0 / rate,
                    (gap.first - onset) / double(rate));
        longest = std::max(longest, gap.second);
    }
    std::printf("\n");
    ASSERT_FALSE(gaps.empty()) << "the lost device was not heard: the seam did nothing";
    long lostAt = gaps.front().first;
    EXPECT_NEAR(1.5, (lostAt - onset) / double(rate), 0.5) << "lost elsewhere than planted";
    EXPECT_LT(longest * 1000 / rate, absentMs + 1000) << "the tune came back late";
    // After the gap: the tune again, for seconds, as the 441 Hz sine.
    long back = gaps.front().first + gaps.front().second;
    Heard h = listen(left, back, 2);
    ASSERT_GE(h.onset, 0) << "nothing after the gap";
    EXPECT_NEAR(882.0, h.crossingsPerSecond, 10.0) << "not the tune after the gap";
}
