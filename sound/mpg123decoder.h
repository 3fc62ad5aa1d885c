// Decodes MP3 frames held in memory to 16-bit PCM with libmpg123, fed a few
// whole frames at a time. The decoder leaves the encoder's delay and padding
// in (the caller trims them), so its output is every frame's samples in order.
// The same library on every platform (the system's natively, built from its
// source into fmod.dll), so the same samples everywhere.
#ifndef SNOWGIG_MPG123DECODER_H
#define SNOWGIG_MPG123DECODER_H

#include <mpg123.h>

#include <cstddef>
#include <cstdint>

#include "mp3frame.h"

struct Mpg123Decoder {
    mpg123_handle* handle;
    int16_t* pcm;          // the last call's output, interleaved
    size_t pcmCapacity;    // sample frames
    int channels;
};

// Opens a decoder for frames like `format` that returns at most `maxFrames`
// frames' worth of samples per call. False when libmpg123 cannot decode them
// or memory runs out.
bool openMpg123Decoder(Mpg123Decoder* decoder, const Mp3FrameHeader& format, size_t maxFrames);
void closeMpg123Decoder(Mpg123Decoder* decoder);

// Decodes `bytes` bytes of whole frames (0 bytes with `flush`: whatever the
// decoder still holds). Sets `*pcm` to the decoded sample frames and returns
// their count, or -1 when the decoder fails or they would not fit.
long decodeMpg123(Mpg123Decoder* decoder, const uint8_t* frames, size_t bytes, bool flush,
                  const int16_t** pcm);

#endif
