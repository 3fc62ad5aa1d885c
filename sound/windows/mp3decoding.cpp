#include "mp3decoding.h"

namespace {

const size_t framesPerDecode = 8;

long decodeWithAcm(void* decoder, const uint8_t* frames, size_t bytes, bool flush,
                   const int16_t** pcm)
{
    return decodeAcm(static_cast<AcmDecoder*>(decoder), frames, bytes, flush, pcm);
}

}  // namespace

Mp3DecodingResult openMp3Decoding(AcmDecoder* decoder, PcmSource* source, const uint8_t* data,
                                  const Mp3Layout& layout, bool loop)
{
    // A few frames per call; what the codec leaves over waits for the next call.
    size_t chunkBytes = framesPerDecode * size_t(layout.largestFrame);
    size_t maxFrames = 2 * chunkBytes / layout.smallestFrame + 1;
    if (!openAcmDecoder(decoder, layout.format, 2 * chunkBytes, maxFrames))
        return MP3_DECODING_NO_CODEC;
    size_t maxDecodedFrames = decoder->pcmCapacity / (2 * size_t(layout.format.channels));
    if (!openPcmSource(source, data, layout, loop, decodeWithAcm, decoder, chunkBytes,
                       maxDecodedFrames)) {
        closeAcmDecoder(decoder);
        return MP3_DECODING_NO_MEMORY;
    }
    return MP3_DECODING_OK;
}

void closeMp3Decoding(AcmDecoder* decoder, PcmSource* source)
{
    closePcmSource(source);
    closeAcmDecoder(decoder);
}
