// MPEG audio Layer III frame headers: the four bytes that start every frame.
#ifndef SNOWGIG_MP3FRAME_H
#define SNOWGIG_MP3FRAME_H

#include <cstddef>
#include <cstdint>

enum Mp3Version { MPEG1 = 1, MPEG2 = 2, MPEG25 = 3 };

struct Mp3FrameHeader {
    Mp3Version version;
    int bitrateKbps;
    int sampleRate;
    int channels;          // 1 or 2
    bool hasCrc;           // two CRC bytes follow the header
    int frameBytes;        // whole frame, header included
    int samplesPerFrame;   // per channel: 1152 (MPEG-1) or 576
    int sideInfoBytes;     // after the header and its CRC
};

// Reads a Layer III header from the first four of `available` bytes. False for
// anything else (other layers, free format, reserved values, too few bytes).
bool readMp3FrameHeader(const uint8_t* bytes, size_t available, Mp3FrameHeader* header);

// True when two headers describe frames of one stream (same version, sample
// rate and channel count), so that one decoder can take both.
bool sameMp3Stream(const Mp3FrameHeader& a, const Mp3FrameHeader& b);

#endif
