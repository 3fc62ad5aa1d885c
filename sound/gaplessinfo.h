// The Xing/Info header that encoders put in a silent first frame, and the LAME
// extension inside it, which says how many samples of encoder delay start the
// stream and how many samples of padding end it.
#ifndef SNOWGIG_GAPLESSINFO_H
#define SNOWGIG_GAPLESSINFO_H

#include <cstddef>
#include <cstdint>

#include "mp3frame.h"

struct GaplessInfo {
    bool hasFrameCount;
    uint32_t frameCount;     // audio frames, the Xing frame itself not counted
    bool hasDelayAndPadding;
    int encoderDelay;        // samples per channel before the first real sample
    int padding;             // samples per channel after the last real sample
};

// Looks for a Xing or Info header in one whole frame (`frameBytes` bytes at
// `frame`). True when the frame carries one: it then holds no audio. The delay
// and padding are only taken from a LAME extension whose checksum is right.
bool readGaplessInfo(const uint8_t* frame, size_t frameBytes, const Mp3FrameHeader& header,
                     GaplessInfo* info);

// The checksum the LAME extension carries over the bytes of the frame before it.
uint16_t lameTagCrc(const uint8_t* bytes, size_t count);

#endif
