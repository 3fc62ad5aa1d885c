// The web library's platform part: streams decoded by libmpg123 (built for
// the browser from the same source as elsewhere) and played through the
// page's Web Audio.
#include <new>

#include "mpg123decoder.h"
#include "soundplatform.h"
#include "webaudiooutput.h"

struct StreamDecoder {
    Mpg123Decoder mpg123;
};

namespace {

// Frames handed to the decoder at a time.
const size_t framesPerDecode = 8;

WebAudioOutput output;

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

bool openSoundOutput(int sampleRate)
{
    return openWebAudioOutput(&output, sampleRate);
}

void closeSoundOutput()
{
    closeWebAudioOutput(&output);
}

int soundOutputRate()
{
    return output.open ? output.sampleRate : 0;
}

bool startSoundOutput(PcmSource* source, bool paused)
{
    return startWebAudioOutput(&output, source, paused);
}

void stopSoundOutput()
{
    stopWebAudioOutput(&output);
}

void pauseSoundOutput(bool paused)
{
    pauseWebAudioOutput(&output, paused);
}

bool soundOutputPaused()
{
    return output.paused;
}
