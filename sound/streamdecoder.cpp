// A stream's decoder: libmpg123 behind the trimming, looping feed, a few
// frames at a time.
#include <new>

#include "mpg123decoder.h"
#include "soundplatform.h"

struct StreamDecoder {
    Mpg123Decoder mpg123;
};

namespace {

// Frames handed to the decoder at a time.
const size_t framesPerDecode = 8;

long decodeWithMpg123(void* decoder, const uint8_t* frames, size_t bytes, bool flush,
                      const int16_t** pcm)
{
    return decodeMpg123(static_cast<Mpg123Decoder*>(decoder), frames, bytes, flush, pcm);
}

}  // namespace

StreamDecoderResult openStreamDecoder(StreamDecoder** decoder, PcmSource* source,
                                      const uint8_t* data, const Mp3Layout& layout, bool loop)
{
    StreamDecoder* opened = new (std::nothrow) StreamDecoder();
    if (!opened)
        return STREAM_DECODER_NO_MEMORY;
    size_t chunkBytes = framesPerDecode * size_t(layout.largestFrame);
    size_t maxFrames = chunkBytes / layout.smallestFrame + 1;
    if (!openMpg123Decoder(&opened->mpg123, layout.format, maxFrames)) {
        delete opened;
        return STREAM_DECODER_NO_CODEC;
    }
    if (!openPcmSource(source, data, layout, loop, decodeWithMpg123, &opened->mpg123, chunkBytes,
                       opened->mpg123.pcmCapacity)) {
        closeMpg123Decoder(&opened->mpg123);
        delete opened;
        return STREAM_DECODER_NO_MEMORY;
    }
    *decoder = opened;
    return STREAM_DECODER_OK;
}

void closeStreamDecoder(StreamDecoder* decoder, PcmSource* source)
{
    closePcmSource(source);
    closeMpg123Decoder(&decoder->mpg123);
    delete decoder;
}
