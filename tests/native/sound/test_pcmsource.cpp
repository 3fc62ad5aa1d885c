#include <gtest/gtest.h>

#include <vector>

#include "pcmring.h"
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

namespace {

// One step of a ring's life: decode, hand to the device, the device reporting
// what it still holds, or the device dropping what it holds (a pause).
enum RingStep { FILL, SEND, QUEUED, DROP };

struct RingCase {
    const char* name;
    std::vector<std::pair<RingStep, size_t>> steps;
};

}  // namespace

// Whatever the order of decoding, sending and pausing, the device plays the
// tune once through in order: nothing repeated, nothing skipped, nothing
// overwritten while the device still holds it, across the ring's wrap.
TEST(PcmRing, TheDevicePlaysTheTuneInOrderThroughWrapsAndPauses)
{
    const RingCase cases[] = {
        {"straight through, wrapping", {{FILL, 700}, {SEND, 600}, {QUEUED, 100}, {FILL, 5000},
                                        {SEND, 900}, {QUEUED, 0}, {FILL, 5000}, {SEND, 5000}}},
        {"a pause sends the dropped frames again", {{FILL, 1000}, {SEND, 800}, {DROP, 300},
                                                    {SEND, 500}, {QUEUED, 0}, {FILL, 400},
                                                    {SEND, 5000}}},
        {"frames the device holds are not overwritten", {{FILL, 1000}, {SEND, 1000},
                                                         {FILL, 500}, {QUEUED, 1000},
                                                         {FILL, 500}, {DROP, 1000},
                                                         {SEND, 1000}}},
        {"pausing twice, across the wrap", {{FILL, 900}, {SEND, 900}, {QUEUED, 50},
                                            {FILL, 5000}, {SEND, 300}, {DROP, 250},
                                            {DROP, 0}, {SEND, 700}, {DROP, 699},
                                            {SEND, 5000}}},
        {"the device claiming more than it was sent", {{FILL, 300}, {SEND, 100},
                                                       {QUEUED, 5000}, {DROP, 5000},
                                                       {SEND, 300}}},
    };
    for (const RingCase& c : cases) {
        SCOPED_TRACE(c.name);
        Fixture f;
        openSource(&f, 20, 2, 576, 1080, true);
        long tune = 20 * frameSamples - 576 - 1080;
        PcmRing ring;
        ASSERT_TRUE(openPcmRing(&ring, 1000));
        std::vector<int16_t> device;  // sent and not yet played, left channel
        std::vector<int16_t> heard;
        std::vector<int16_t> out(2 * 5000);
        auto playUntil = [&](size_t held) {
            while (device.size() > held) {
                heard.push_back(device.front());
                device.erase(device.begin());
            }
        };
        for (const auto& step : c.steps) {
            size_t n = step.second;
            if (step.first == FILL) {
                size_t room = pcmRingSpace(ring);
                EXPECT_EQ(n < room ? n : room, fillPcmRing(&ring, &f.source, n));
            } else if (step.first == SEND) {
                size_t got = sendPcmRing(&ring, out.data(), n);
                for (size_t i = 0; i < got; ++i)
                    device.push_back(out[2 * i]);
            } else if (step.first == QUEUED) {
                playUntil(n);
                markPcmRingQueued(&ring, device.size());
            } else {
                playUntil(n);
                rewindPcmRing(&ring, device.size());
                device.clear();
            }
            ASSERT_LE(ring.played, ring.sent);
            ASSERT_LE(ring.sent, ring.decoded);
            ASSERT_LE(ring.decoded - ring.played, ring.capacity);
        }
        playUntil(0);
        ASSERT_FALSE(heard.empty());
        for (size_t i = 0; i < heard.size(); ++i)
            ASSERT_EQ(int16_t(576 + long(i) % tune), heard[i]) << "frame " << i;
        closePcmRing(&ring);
        closePcmSource(&f.source);
    }
}
