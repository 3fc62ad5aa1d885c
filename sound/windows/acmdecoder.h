// Decodes MP3 frames to 16-bit PCM with the system's MP3 codec (ACM).
#ifndef SNOWGIG_ACMDECODER_H
#define SNOWGIG_ACMDECODER_H

#include <windows.h>
#include <mmsystem.h>
#include <mmreg.h>
#include <msacm.h>

#include <cstddef>
#include <cstdint>

#include "mp3frame.h"

struct AcmDecoder {
    HACMSTREAM stream;
    ACMSTREAMHEADER header;
    uint8_t* source;       // frames waiting to be decoded
    size_t sourceCapacity;
    size_t sourceFill;
    int16_t* pcm;          // the last call's output, interleaved
    size_t pcmCapacity;    // bytes
    int channels;
    bool started;
};

// Opens a decoder for frames like `format`, taking up to `maxSourceBytes` of
// whole frames, at most `maxFrames` of them, per call. False when the system
// has no codec for them.
bool openAcmDecoder(AcmDecoder* decoder, const Mp3FrameHeader& format, size_t maxSourceBytes,
                    size_t maxFrames);
void closeAcmDecoder(AcmDecoder* decoder);

// Decodes `bytes` bytes of whole frames (at most the maxSourceBytes given when
// opening; 0 with `flush` set gives the samples the codec still holds). Sets
// `*pcm` to the decoded sample frames and returns their count, or -1 when the
// codec fails.
long decodeAcm(AcmDecoder* decoder, const uint8_t* frames, size_t bytes, bool flush,
               const int16_t** pcm);

#endif
