#include <gtest/gtest.h>

#include <vector>

#include "pcmsource.h"

namespace {

const int frameSamples = 1152;

// Frames of 417 bytes (128 kbps, 44.1 kHz) whose payload carries their index.
std::vector<uint8_t> numberedFrames(int count, int channels)
{
    std::vector<uint8_t> data;
    for (int f = 0; f < count; ++f) {
        std::vector<uint8_t> frame(417, 0);
        frame[0] = 0xFF;
        frame[1] = 0xFB;
        frame[2] = 0x90;
        frame[3] = channels == 1 ? 0xC4 : 0x44;
        frame[40] = uint8_t(f);
        data.insert(data.end(), frame.begin(), frame.end());
    }
    return data;
}

// A decoder whose output lags its input by the usual 529 samples and whose
// samples say which frame and which sample of it they come from:
// frame index x 1152 + sample (right channel negated).
struct FakeDecoder {
    std::vector<int> framesSeen;
    std::vector<int16_t> out;
    long emitted = 0;
    int channels = 1;
    int failAfterCalls = -1;
    int calls = 0;
};

long fakeDecode(void* opaque, const uint8_t* frames, size_t bytes, bool flush, const int16_t** pcm)
{
    FakeDecoder* d = static_cast<FakeDecoder*>(opaque);
    if (d->failAfterCalls >= 0 && d->calls++ >= d->failAfterCalls)
        return -1;
    for (size_t at = 0; at < bytes; at += 417) {
        EXPECT_EQ(0xFF, frames[at]) << "frames split";
        d->framesSeen.push_back(frames[at + 40]);
    }
    long available = long(d->framesSeen.size()) * frameSamples + (flush ? mp3DecoderDelay : 0);
    d->out.clear();
    for (; d->emitted < available; ++d->emitted) {
        long q = d->emitted - mp3DecoderDelay;
        int16_t v = q < 0 || q >= long(d->framesSeen.size()) * frameSamples
                        ? int16_t(-1)
                        : int16_t(d->framesSeen[size_t(q / frameSamples)] * frameSamples +
                                  q % frameSamples);
        d->out.push_back(v);
        if (d->channels == 2)
            d->out.push_back(int16_t(-v));
    }
    *pcm = d->out.data();
    return long(d->out.size()) / d->channels;
}

struct Fixture {
    std::vector<uint8_t> data;
    Mp3Layout layout;
    FakeDecoder decoder;
    PcmSource source;
};

void openSource(Fixture* f, int frames, int channels, int delay, int padding, bool loop)
{
    f->data = numberedFrames(frames, channels);
    ASSERT_TRUE(scanMp3Layout(f->data.data(), f->data.size(), &f->layout));
    ASSERT_EQ(uint32_t(frames), f->layout.frameCount);
    f->layout.gapless.hasDelayAndPadding = true;
    f->layout.gapless.encoderDelay = delay;
    f->layout.gapless.padding = padding;
    f->decoder.channels = channels;
    // Three frames per call: chunks and passes do not line up.
    ASSERT_TRUE(openPcmSource(&f->source, f->data.data(), f->layout, loop, fakeDecode,
                              &f->decoder, 3 * 417, 8 * frameSamples));
}

}  // namespace

TEST(PcmSource, LoopingJoinsTheLastRealSampleToTheFirst)
{
    for (int channels : {1, 2}) {
        Fixture f;
        openSource(&f, 20, channels, 576, 1080, true);
        long tune = 20 * frameSamples - 576 - 1080;
        std::vector<int16_t> out(size_t(2 * 3 * tune + 2 * 777));
        size_t got = 0;
        for (size_t n : {size_t(1000), size_t(1), size_t(50000)}) {
            ASSERT_EQ(n, readPcm(&f.source, out.data() + 2 * got, n));
            got += n;
        }
        for (size_t i = 0; i < got; ++i) {
            int16_t expected = int16_t(576 + long(i) % tune);
            ASSERT_EQ(expected, out[2 * i]) << channels << " channels, sample " << i;
            ASSERT_EQ(channels == 2 ? -expected : expected, out[2 * i + 1]) << i;
        }
        EXPECT_FALSE(f.source.ended);
        closePcmSource(&f.source);
    }
}

TEST(PcmSource, PlayedOnceGivesTheWholeTuneThenEnds)
{
    Fixture f;
    openSource(&f, 5, 1, 576, 300, false);  // padding shorter than the decoder delay
    long tune = 5 * frameSamples - 576 - 300;
    std::vector<int16_t> out(size_t(2 * (tune + 5000)));
    size_t got = readPcm(&f.source, out.data(), size_t(tune + 5000));
    ASSERT_EQ(size_t(tune), got);
    for (size_t i = 0; i < got; ++i)
        ASSERT_EQ(int16_t(576 + long(i)), out[2 * i]) << i;
    EXPECT_TRUE(f.source.ended);
    EXPECT_EQ(0u, readPcm(&f.source, out.data(), 10));
    closePcmSource(&f.source);
}

TEST(PcmSource, DecoderFailureEndsTheStream)
{
    Fixture f;
    openSource(&f, 20, 2, 576, 1080, true);
    f.decoder.failAfterCalls = 2;
    std::vector<int16_t> out(2 * 100000);
    size_t got = readPcm(&f.source, out.data(), 100000);
    EXPECT_LT(got, size_t(100000));
    EXPECT_TRUE(f.source.ended);
    closePcmSource(&f.source);
}
