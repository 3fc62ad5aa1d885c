#include "mp3frame.h"

namespace {

const int bitratesMpeg1[16] = {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0};
const int bitratesMpeg2[16] = {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0};
const int sampleRatesMpeg1[3] = {44100, 48000, 32000};

}  // namespace

bool readMp3FrameHeader(const uint8_t* bytes, size_t available, Mp3FrameHeader* header)
{
    if (available < 4 || bytes[0] != 0xFF || (bytes[1] & 0xE0) != 0xE0)
        return false;
    int versionBits = (bytes[1] >> 3) & 3;
    int layerBits = (bytes[1] >> 1) & 3;
    int bitrateIndex = bytes[2] >> 4;
    int rateIndex = (bytes[2] >> 2) & 3;
    if (versionBits == 1 || layerBits != 1 || bitrateIndex == 0 || bitrateIndex == 15 ||
        rateIndex == 3)
        return false;

    Mp3FrameHeader h;
    h.version = versionBits == 3 ? MPEG1 : versionBits == 2 ? MPEG2 : MPEG25;
    h.bitrateKbps = h.version == MPEG1 ? bitratesMpeg1[bitrateIndex] : bitratesMpeg2[bitrateIndex];
    h.sampleRate = sampleRatesMpeg1[rateIndex] >> (h.version - 1);
    h.channels = (bytes[3] >> 6) == 3 ? 1 : 2;
    h.hasCrc = (bytes[1] & 1) == 0;
    int padding = (bytes[2] >> 1) & 1;
    int slotFactor = h.version == MPEG1 ? 144 : 72;
    h.frameBytes = slotFactor * 1000 * h.bitrateKbps / h.sampleRate + padding;
    h.samplesPerFrame = h.version == MPEG1 ? 1152 : 576;
    if (h.version == MPEG1)
        h.sideInfoBytes = h.channels == 1 ? 17 : 32;
    else
        h.sideInfoBytes = h.channels == 1 ? 9 : 17;
    *header = h;
    return true;
}

bool sameMp3Stream(const Mp3FrameHeader& a, const Mp3FrameHeader& b)
{
    return a.version == b.version && a.sampleRate == b.sampleRate && a.channels == b.channels;
}
