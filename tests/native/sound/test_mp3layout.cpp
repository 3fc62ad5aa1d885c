#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "../../support/filebytes.h"
#include "mp3layout.h"

namespace {

std::vector<uint8_t> readTune(const char* name)
{
    return readFile(std::string(TEST_TUNE_DIR) + "/" + name);
}

// Sample frames of a WAV file written by sox (plain 44-byte header).
long wavFrames(const char* name, int channels)
{
    std::vector<uint8_t> wav = readTune(name);
    return wav.size() < 44 ? -1 : long(wav.size() - 44) / (2 * channels);
}

}  // namespace

TEST(Mp3FrameHeader, ReadsLayer3HeadersOfEveryVersion)
{
    const uint8_t mpeg1[4] = {0xFF, 0xFB, 0x50, 0x64};        // 64 kbps, 44.1 kHz, joint stereo
    const uint8_t mpeg1Padded[4] = {0xFF, 0xFB, 0x52, 0xC4};  // padding bit, mono
    const uint8_t mpeg2[4] = {0xFF, 0xF3, 0x84, 0xC4};        // 64 kbps, 24 kHz, mono
    const uint8_t mpeg25[4] = {0xFF, 0xE2, 0x10, 0x00};       // 8 kbps, 11.025 kHz, CRC
    Mp3FrameHeader h;

    ASSERT_TRUE(readMp3FrameHeader(mpeg1, 4, &h));
    EXPECT_EQ(MPEG1, h.version);
    EXPECT_EQ(64, h.bitrateKbps);
    EXPECT_EQ(44100, h.sampleRate);
    EXPECT_EQ(2, h.channels);
    EXPECT_EQ(208, h.frameBytes);
    EXPECT_EQ(1152, h.samplesPerFrame);
    EXPECT_EQ(32, h.sideInfoBytes);
    EXPECT_FALSE(h.hasCrc);

    ASSERT_TRUE(readMp3FrameHeader(mpeg1Padded, 4, &h));
    EXPECT_EQ(209, h.frameBytes);
    EXPECT_EQ(1, h.channels);
    EXPECT_EQ(17, h.sideInfoBytes);

    ASSERT_TRUE(readMp3FrameHeader(mpeg2, 4, &h));
    EXPECT_EQ(MPEG2, h.version);
    EXPECT_EQ(64, h.bitrateKbps);
    EXPECT_EQ(24000, h.sampleRate);
    EXPECT_EQ(576, h.samplesPerFrame);
    EXPECT_EQ(72 * 64000 / 24000, h.frameBytes);
    EXPECT_EQ(9, h.sideInfoBytes);

    ASSERT_TRUE(readMp3FrameHeader(mpeg25, 4, &h));
    EXPECT_EQ(MPEG25, h.version);
    EXPECT_EQ(11025, h.sampleRate);
    EXPECT_EQ(8, h.bitrateKbps);
    EXPECT_TRUE(h.hasCrc);
    EXPECT_EQ(72 * 8000 / 11025, h.frameBytes);
}

TEST(Mp3FrameHeader, RefusesWhatIsNoLayer3Frame)
{
    const uint8_t cases[][4] = {
        {0xFF, 0xFD, 0x50, 0x64},  // Layer II
        {0xFF, 0xFF, 0x50, 0x64},  // Layer I
        {0xFF, 0xFB, 0x00, 0x64},  // free format
        {0xFF, 0xFB, 0xF0, 0x64},  // bitrate index 15
        {0xFF, 0xFB, 0x5C, 0x64},  // reserved sample rate
        {0xFF, 0xEB, 0x50, 0x64},  // reserved version
        {0xFE, 0xFB, 0x50, 0x64},  // no sync
        {0xFF, 0x1B, 0x50, 0x64},
    };
    Mp3FrameHeader h;
    for (const auto& c : cases)
        EXPECT_FALSE(readMp3FrameHeader(c, 4, &h)) << std::hex << int(c[1]) << int(c[2]);
    const uint8_t good[4] = {0xFF, 0xFB, 0x50, 0x64};
    EXPECT_FALSE(readMp3FrameHeader(good, 3, &h));
}

// A LAME file says exactly how many samples it holds: frames x 1152 minus the
// delay and the padding must be the samples of the WAV it was made from.
TEST(Mp3Layout, LameTunesDeclareTheirExactLength)
{
    struct Case { const char* mp3; const char* wav; int channels; };
    for (Case c : {Case{"tone2s_stereo.mp3", "tone2s_stereo.wav", 2},
                   Case{"tone2s_mono.mp3", "tone2s_mono.wav", 1}}) {
        std::vector<uint8_t> mp3 = readTune(c.mp3);
        ASSERT_FALSE(mp3.empty()) << c.mp3;
        Mp3Layout layout;
        ASSERT_TRUE(scanMp3Layout(mp3.data(), mp3.size(), &layout)) << c.mp3;
        EXPECT_EQ(c.channels, layout.format.channels);
        EXPECT_EQ(44100, layout.format.sampleRate);
        EXPECT_EQ(mp3.size(), layout.end);
        ASSERT_TRUE(layout.gapless.hasFrameCount);
        EXPECT_EQ(layout.gapless.frameCount, layout.frameCount);
        ASSERT_TRUE(layout.gapless.hasDelayAndPadding);
        long samples = long(layout.frameCount) * 1152 - layout.gapless.encoderDelay -
                       layout.gapless.padding;
        EXPECT_EQ(wavFrames(c.wav, c.channels), samples) << c.mp3;
        // The Info frame is metadata, not audio: the stream starts after it.
        Mp3FrameHeader info;
        ASSERT_TRUE(readMp3FrameHeader(mp3.data(), mp3.size(), &info));
        EXPECT_EQ(size_t(info.frameBytes), layout.firstFrame);
    }
}

TEST(Mp3Layout, SkipsTagsAndStopsAtTrailingBytesOrACutFrame)
{
    std::vector<uint8_t> mp3 = readTune("tone2s_stereo.mp3");
    ASSERT_FALSE(mp3.empty());
    Mp3Layout plain;
    ASSERT_TRUE(scanMp3Layout(mp3.data(), mp3.size(), &plain));

    std::vector<uint8_t> tagged = {'I', 'D', '3', 4, 0, 0, 0, 0, 1, 5};  // 133-byte body
    tagged.resize(10 + 133, 'x');
    tagged.insert(tagged.end(), mp3.begin(), mp3.end());
    std::vector<uint8_t> trailer(128, 0);
    trailer[0] = 'T';
    trailer[1] = 'A';
    trailer[2] = 'G';
    tagged.insert(tagged.end(), trailer.begin(), trailer.end());
    Mp3Layout layout;
    ASSERT_TRUE(scanMp3Layout(tagged.data(), tagged.size(), &layout));
    EXPECT_EQ(plain.firstFrame + 143, layout.firstFrame);
    EXPECT_EQ(plain.frameCount, layout.frameCount);
    EXPECT_EQ(plain.end + 143, layout.end);
    EXPECT_TRUE(layout.gapless.hasDelayAndPadding);

    std::vector<uint8_t> cut(mp3.begin(), mp3.end() - 50);
    ASSERT_TRUE(scanMp3Layout(cut.data(), cut.size(), &layout));
    EXPECT_EQ(plain.frameCount - 1, layout.frameCount);
    EXPECT_LE(layout.end, cut.size());
}

TEST(Mp3Layout, DamagedLameTagGivesNoTrimmingButStillNoInfoFrameAudio)
{
    std::vector<uint8_t> mp3 = readTune("tone2s_stereo.mp3");
    ASSERT_GT(mp3.size(), 200u);
    Mp3Layout plain;
    ASSERT_TRUE(scanMp3Layout(mp3.data(), mp3.size(), &plain));
    mp3[0xB1] ^= 0x10;  // inside the delay and padding bytes
    Mp3Layout layout;
    ASSERT_TRUE(scanMp3Layout(mp3.data(), mp3.size(), &layout));
    EXPECT_FALSE(layout.gapless.hasDelayAndPadding);
    EXPECT_EQ(plain.firstFrame, layout.firstFrame);
    EXPECT_EQ(plain.frameCount, layout.frameCount);
}

TEST(Mp3Layout, RefusesDataThatIsNoMp3Stream)
{
    Mp3Layout layout;
    std::string text = "This is a plain text file, not a tune at all.";
    EXPECT_FALSE(scanMp3Layout(reinterpret_cast<const uint8_t*>(text.data()), text.size(), &layout));
    EXPECT_FALSE(scanMp3Layout(nullptr, 0, &layout));

    // One valid header followed by bytes that are no second frame.
    std::vector<uint8_t> lone(1000, 0x55);
    lone[0] = 0xFF; lone[1] = 0xFB; lone[2] = 0x50; lone[3] = 0x64;
    EXPECT_FALSE(scanMp3Layout(lone.data(), lone.size(), &layout));

    // An Info frame with nothing after it holds no audio.
    std::vector<uint8_t> mp3 = readTune("tone2s_stereo.mp3");
    ASSERT_TRUE(scanMp3Layout(mp3.data(), mp3.size(), &layout));
    EXPECT_FALSE(scanMp3Layout(mp3.data(), layout.firstFrame, &layout));

    // A header that claims an ID3 tag longer than the data.
    std::vector<uint8_t> tag = {'I', 'D', '3', 4, 0, 0, 0x7F, 0x7F, 0x7F, 0x7F};
    EXPECT_FALSE(scanMp3Layout(tag.data(), tag.size(), &layout));
}
