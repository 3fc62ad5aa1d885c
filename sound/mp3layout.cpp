#include "mp3layout.h"

namespace {

// How far past its tags a file may have other bytes before its first frame.
const size_t firstFrameSearchLimit = 64 * 1024;

size_t id3v2Size(const uint8_t* data, size_t size)
{
    if (size < 10 || data[0] != 'I' || data[1] != 'D' || data[2] != '3')
        return 0;
    if ((data[6] | data[7] | data[8] | data[9]) & 0x80)
        return 0;
    size_t body = size_t(data[6]) << 21 | size_t(data[7]) << 14 | size_t(data[8]) << 7 | data[9];
    bool hasFooter = (data[5] & 0x10) != 0;
    return 10 + body + (hasFooter ? 10 : 0);
}

bool frameAt(const uint8_t* data, size_t size, size_t at, Mp3FrameHeader* header)
{
    if (at >= size || !readMp3FrameHeader(data + at, size - at, header))
        return false;
    return size_t(header->frameBytes) <= size - at;
}

// A frame of the same stream at `at`, whole within the data.
bool nextFrameAt(const uint8_t* data, size_t size, size_t at, const Mp3FrameHeader& format,
                 Mp3FrameHeader* header)
{
    return frameAt(data, size, at, header) && sameMp3Stream(format, *header);
}

bool findFirstFrame(const uint8_t* data, size_t size, size_t from, size_t* found,
                    Mp3FrameHeader* header)
{
    size_t limit = size - from > firstFrameSearchLimit ? from + firstFrameSearchLimit : size;
    for (size_t at = from; at < limit; ++at) {
        if (!frameAt(data, size, at, header))
            continue;
        size_t next = at + size_t(header->frameBytes);
        Mp3FrameHeader following;
        if (next == size || nextFrameAt(data, size, next, *header, &following)) {
            *found = at;
            return true;
        }
    }
    return false;
}

}  // namespace

bool scanMp3Layout(const uint8_t* data, size_t size, Mp3Layout* layout)
{
    size_t at = 0;
    for (;;) {
        size_t tag = id3v2Size(data + at, size - at);
        if (tag == 0 || tag > size - at)
            break;
        at += tag;
    }

    Mp3FrameHeader header;
    if (!findFirstFrame(data, size, at, &at, &header))
        return false;

    Mp3Layout result = {};
    if (readGaplessInfo(data + at, size_t(header.frameBytes), header, &result.gapless)) {
        at += size_t(header.frameBytes);
        Mp3FrameHeader audio;
        if (!nextFrameAt(data, size, at, header, &audio))
            return false;
        header = audio;
    }
    result.format = header;
    result.firstFrame = at;

    Mp3FrameHeader next = header;
    do {
        ++result.frameCount;
        if (uint32_t(next.frameBytes) > result.largestFrame)
            result.largestFrame = uint32_t(next.frameBytes);
        if (result.smallestFrame == 0 || uint32_t(next.frameBytes) < result.smallestFrame)
            result.smallestFrame = uint32_t(next.frameBytes);
        at += size_t(next.frameBytes);
    } while (nextFrameAt(data, size, at, result.format, &next));
    result.end = at;
    *layout = result;
    return true;
}

size_t takeMp3Frames(const uint8_t* data, const Mp3Layout& layout, size_t* cursor,
                     size_t maxBytes, uint32_t* framesTaken)
{
    size_t start = *cursor;
    size_t at = start;
    uint32_t frames = 0;
    Mp3FrameHeader header;
    while (at < layout.end && nextFrameAt(data, layout.end, at, layout.format, &header) &&
           size_t(header.frameBytes) <= maxBytes - (at - start)) {
        at += size_t(header.frameBytes);
        ++frames;
    }
    *cursor = at;
    if (framesTaken)
        *framesTaken = frames;
    return at - start;
}
