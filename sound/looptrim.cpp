#include "looptrim.h"

LoopTrim makeLoopTrim(uint32_t frameCount, int samplesPerFrame, bool hasDelayAndPadding,
                      int encoderDelay, int padding, bool loop)
{
    LoopTrim trim = {};
    trim.passLength = int64_t(frameCount) * samplesPerFrame;
    trim.keepLength = trim.passLength;
    trim.loop = loop;
    if (hasDelayAndPadding && encoderDelay >= 0 && padding >= 0 &&
        int64_t(encoderDelay) + padding < trim.passLength) {
        trim.keepStart = int64_t(encoderDelay) + mp3DecoderDelay;
        trim.keepLength = trim.passLength - encoderDelay - padding;
    }
    return trim;
}

namespace {

// From decoder output `position` on: how many samples in a row are kept (true)
// or dropped (false), at most `limit`.
int64_t runAt(const LoopTrim& trim, int64_t position, int64_t limit, bool* keep)
{
    int64_t sinceStart = position - trim.keepStart;
    int64_t run;
    if (sinceStart < 0) {
        *keep = false;
        run = -sinceStart;
    } else if (!trim.loop || trim.passLength <= 0) {
        *keep = sinceStart < trim.keepLength;
        run = *keep ? trim.keepLength - sinceStart : limit;
    } else {
        int64_t inPass = sinceStart % trim.passLength;
        *keep = inPass < trim.keepLength;
        run = *keep ? trim.keepLength - inPass : trim.passLength - inPass;
    }
    return run < limit ? run : limit;
}

}  // namespace

size_t trimDecoded(LoopTrim* trim, const int16_t* decoded, size_t frames, int channels,
                   int16_t* stereo)
{
    size_t written = 0;
    size_t done = 0;
    while (done < frames) {
        bool keep;
        size_t run = size_t(runAt(*trim, trim->position, int64_t(frames - done), &keep));
        if (keep) {
            const int16_t* in = decoded + done * size_t(channels);
            int16_t* out = stereo + 2 * written;
            if (channels == 2) {
                for (size_t i = 0; i < 2 * run; ++i)
                    out[i] = in[i];
            } else {
                for (size_t i = 0; i < run; ++i)
                    out[2 * i] = out[2 * i + 1] = in[i];
            }
            written += run;
        }
        done += run;
        trim->position += int64_t(run);
    }
    return written;
}

bool trimFinished(const LoopTrim& trim)
{
    return !trim.loop && trim.position >= trim.keepStart + trim.keepLength;
}
