// The samples of an MP3 stream in memory as an endless (or single) run of
// stereo 16-bit sample frames: walks the frames, hands them to a decoder,
// trims the decoder's output with a LoopTrim and goes back to the first frame
// after the last.
#ifndef SNOWGIG_PCMSOURCE_H
#define SNOWGIG_PCMSOURCE_H

#include <cstddef>
#include <cstdint>

#include "looptrim.h"
#include "mp3layout.h"

// Decodes `bytes` of whole frames (0 bytes with `flush`: what the decoder still
// holds). Sets `*pcm` to its output and returns the sample frames in it, or -1.
typedef long (*DecodeFrames)(void* decoder, const uint8_t* frames, size_t bytes, bool flush,
                             const int16_t** pcm);

struct PcmSource {
    const uint8_t* data;
    Mp3Layout layout;
    size_t cursor;
    LoopTrim trim;
    DecodeFrames decode;
    void* decoder;
    size_t maxChunkBytes;
    int16_t* pending;        // trimmed stereo frames not yet read
    size_t pendingCapacity;  // frames
    size_t pendingFrames;
    size_t pendingRead;
    bool flushed;
    bool ended;              // no more samples will come
};

// `maxDecodedFrames` bounds what one decode call returns for at most
// `maxChunkBytes` of frames. False when memory runs out.
bool openPcmSource(PcmSource* source, const uint8_t* data, const Mp3Layout& layout, bool loop,
                   DecodeFrames decode, void* decoder, size_t maxChunkBytes,
                   size_t maxDecodedFrames);
void closePcmSource(PcmSource* source);

// Fills `stereo` with up to `frames` sample frames and returns how many it
// wrote: all of them unless the stream has ended (a stream that does not loop,
// or one the decoder fails on).
size_t readPcm(PcmSource* source, int16_t* stereo, size_t frames);

#endif
