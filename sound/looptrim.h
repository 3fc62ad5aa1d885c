// Turns the decoder's output into the tune as it was encoded, played once or
// looped without a gap: the encoder's delay at the start and its padding at the
// end are cut away, so that the last real sample is followed by the first.
//
// The stream is decoded as one endless sequence of its frames (after the last
// frame comes the first again), so the decoder's output is periodic: every pass
// through the file gives passLength samples, and the same sample of the tune
// sits at the same place of each pass, shifted by the encoder's delay and the
// decoder's own.
#ifndef SNOWGIG_LOOPTRIM_H
#define SNOWGIG_LOOPTRIM_H

#include <cstddef>
#include <cstdint>

// Samples by which a Layer III decoder's output lags the frames it decodes.
const int mp3DecoderDelay = 529;

struct LoopTrim {
    int64_t passLength;  // decoder output per pass through the file, per channel
    int64_t keepStart;   // first kept sample of a pass, counted from the pass's start
    int64_t keepLength;  // kept samples per pass
    int64_t position;    // decoder output consumed so far, per channel
    bool loop;
};

// Without gapless information (or with values that cannot be right for this
// many frames) every decoded sample is kept.
LoopTrim makeLoopTrim(uint32_t frameCount, int samplesPerFrame, bool hasDelayAndPadding,
                      int encoderDelay, int padding, bool loop);

// Takes `frames` decoded sample frames of `channels` (1 or 2) channels, keeps
// those that belong to the tune and writes them to `stereo` as interleaved
// stereo (a mono sample goes to both sides). Returns the frames written, at most
// `frames`.
size_t trimDecoded(LoopTrim* trim, const int16_t* decoded, size_t frames, int channels,
                   int16_t* stereo);

// True once a stream that does not loop has passed its last kept sample.
bool trimFinished(const LoopTrim& trim);

#endif
