#include "pcmsource.h"

#include <cstdlib>
#include <cstring>

bool openPcmSource(PcmSource* source, const uint8_t* data, const Mp3Layout& layout, bool loop,
                   DecodeFrames decode, void* decoder, size_t maxChunkBytes,
                   size_t maxDecodedFrames)
{
    std::memset(source, 0, sizeof *source);
    source->data = data;
    source->layout = layout;
    source->cursor = layout.firstFrame;
    const GaplessInfo& g = layout.gapless;
    source->trim = makeLoopTrim(layout.frameCount, layout.format.samplesPerFrame,
                                g.hasDelayAndPadding, g.encoderDelay, g.padding, loop);
    source->decode = decode;
    source->decoder = decoder;
    source->maxChunkBytes = maxChunkBytes;
    source->pendingCapacity = maxDecodedFrames;
    source->pending = static_cast<int16_t*>(std::malloc(maxDecodedFrames * 2 * sizeof(int16_t)));
    return source->pending != nullptr;
}

void closePcmSource(PcmSource* source)
{
    std::free(source->pending);
    source->pending = nullptr;
    source->ended = true;
}

namespace {

// Decodes the next chunk of frames into `pending`. False once nothing more can
// come out of the stream.
bool decodeNextChunk(PcmSource* source)
{
    uint32_t frames = 0;
    size_t bytes = takeMp3Frames(source->data, source->layout, &source->cursor,
                                 source->maxChunkBytes, &frames);
    bool flush = false;
    if (bytes == 0) {
        if (source->trim.loop) {
            source->cursor = source->layout.firstFrame;
            bytes = takeMp3Frames(source->data, source->layout, &source->cursor,
                                  source->maxChunkBytes, &frames);
            if (bytes == 0)
                return false;
        } else if (source->flushed) {
            return false;
        } else {
            flush = true;
            source->flushed = true;
        }
    }
    const uint8_t* frameBytes = source->data + source->cursor - bytes;
    const int16_t* pcm = nullptr;
    long decoded = source->decode(source->decoder, frameBytes, bytes, flush, &pcm);
    if (decoded < 0 || size_t(decoded) > source->pendingCapacity)
        return false;
    source->pendingFrames = trimDecoded(&source->trim, pcm, size_t(decoded),
                                        source->layout.format.channels, source->pending);
    source->pendingRead = 0;
    return true;
}

}  // namespace

size_t readPcm(PcmSource* source, int16_t* stereo, size_t frames)
{
    size_t written = 0;
    // A decoder that takes frames but gives nothing back for a whole pass will
    // not start giving samples later.
    uint32_t idleChunks = 0;
    while (written < frames && !source->ended) {
        if (source->pendingRead == source->pendingFrames) {
            if (trimFinished(source->trim) || !decodeNextChunk(source) ||
                idleChunks > source->layout.frameCount + 8) {
                source->ended = true;
                break;
            }
            idleChunks = source->pendingFrames == 0 ? idleChunks + 1 : 0;
            continue;
        }
        size_t n = source->pendingFrames - source->pendingRead;
        if (n > frames - written)
            n = frames - written;
        std::memcpy(stereo + 2 * written, source->pending + 2 * source->pendingRead,
                    n * 2 * sizeof(int16_t));
        source->pendingRead += n;
        written += n;
    }
    return written;
}
