// Decodes MP3 frames with libmpg123 for a PcmSource (pcmsource.h): fed whole
// frames, it gives back every sample the decoder makes, delay included, so that
// the source's own trimming cuts the tune exactly as the sound library does.
#ifndef SNOWGIG_MPG123DECODER_H
#define SNOWGIG_MPG123DECODER_H

#include <cstddef>
#include <cstdint>

#include "mp3frame.h"

struct mpg123_handle_struct;

struct Mpg123Decoder {
    mpg123_handle_struct* handle;
    int channels;
    int16_t* pcm;
    size_t capacity;  // sample frames
};

// Room for `maxFrames` sample frames per decode call. False (with a message on
// stderr) when the decoder cannot be set up for this format.
bool openMpg123Decoder(Mpg123Decoder* decoder, const Mp3FrameHeader& format, size_t maxFrames);
void closeMpg123Decoder(Mpg123Decoder* decoder);

// The DecodeFrames of pcmsource.h.
long decodeWithMpg123(void* decoder, const uint8_t* frames, size_t bytes, bool flush,
                      const int16_t** pcm);

#endif
