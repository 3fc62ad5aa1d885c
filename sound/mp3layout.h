// Where the audio frames of an MP3 file held in memory lie, found by walking
// the frame headers once: the file is never copied, only indexed by offsets.
#ifndef SNOWGIG_MP3LAYOUT_H
#define SNOWGIG_MP3LAYOUT_H

#include <cstddef>
#include <cstdint>

#include "gaplessinfo.h"
#include "mp3frame.h"

struct Mp3Layout {
    Mp3FrameHeader format;   // header of the first audio frame
    size_t firstFrame;       // offset of the first audio frame
    size_t end;              // one past the last whole frame of the stream
    uint32_t frameCount;     // audio frames from firstFrame to end
    uint32_t largestFrame;   // bytes
    uint32_t smallestFrame;  // bytes
    GaplessInfo gapless;     // all zero when the file has no Xing/Info frame
};

// Indexes `size` bytes as an MP3 stream. False when no Layer III stream starts
// there: tags (ID3v2) are skipped, the first frame must be followed by another
// frame of the same stream (or be the whole rest of the data), and the stream
// ends at the first byte that does not start a further frame of it.
bool scanMp3Layout(const uint8_t* data, size_t size, Mp3Layout* layout);

// Takes whole frames from `*cursor` on, up to `maxBytes` in all (at least one
// frame, which `maxBytes` must hold), and moves the cursor past them. At the
// stream's end it returns 0 and leaves the cursor there.
size_t takeMp3Frames(const uint8_t* data, const Mp3Layout& layout, size_t* cursor,
                     size_t maxBytes, uint32_t* framesTaken);

#endif
