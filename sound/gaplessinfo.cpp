#include "gaplessinfo.h"

#include <cstring>

namespace {

const int xingFrameCountFlag = 1;
const int xingByteCountFlag = 2;
const int xingTocFlag = 4;
const int xingQualityFlag = 8;
const size_t lameTagBytes = 36;
const size_t lameTagDelayAt = 21;
const size_t lameTagCrcAt = 34;

uint32_t bigEndian32(const uint8_t* p)
{
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}

}  // namespace

uint16_t lameTagCrc(const uint8_t* bytes, size_t count)
{
    uint16_t crc = 0;
    for (size_t i = 0; i < count; ++i) {
        crc ^= bytes[i];
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? uint16_t((crc >> 1) ^ 0xA001) : uint16_t(crc >> 1);
    }
    return crc;
}

bool readGaplessInfo(const uint8_t* frame, size_t frameBytes, const Mp3FrameHeader& header,
                     GaplessInfo* info)
{
    size_t at = 4 + (header.hasCrc ? 2 : 0) + size_t(header.sideInfoBytes);
    if (frameBytes < at + 8)
        return false;
    if (std::memcmp(frame + at, "Xing", 4) != 0 && std::memcmp(frame + at, "Info", 4) != 0)
        return false;
    uint32_t flags = bigEndian32(frame + at + 4);
    at += 8;

    GaplessInfo result = {};
    if (flags & xingFrameCountFlag) {
        if (frameBytes < at + 4)
            return false;
        result.hasFrameCount = true;
        result.frameCount = bigEndian32(frame + at);
        at += 4;
    }
    if (flags & xingByteCountFlag)
        at += 4;
    if (flags & xingTocFlag)
        at += 100;
    if (flags & xingQualityFlag)
        at += 4;

    if (frameBytes >= at + lameTagBytes) {
        const uint8_t* tag = frame + at;
        uint16_t storedCrc = uint16_t(tag[lameTagCrcAt] << 8 | tag[lameTagCrcAt + 1]);
        if (storedCrc == lameTagCrc(frame, at + lameTagCrcAt)) {
            const uint8_t* d = tag + lameTagDelayAt;
            result.hasDelayAndPadding = true;
            result.encoderDelay = d[0] << 4 | d[1] >> 4;
            result.padding = (d[1] & 0x0F) << 8 | d[2];
        }
    }
    *info = result;
    return true;
}
