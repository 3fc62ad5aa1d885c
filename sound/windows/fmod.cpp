// fmod.dll's platform part: streams decoded by the system's MP3 codec (ACM)
// and played through the system's wave output.
#include <new>

#include "mp3decoding.h"
#include "soundplatform.h"
#include "waveoutput.h"

struct StreamDecoder {
    AcmDecoder acm;
};

namespace {

WaveOutput output;

}  // namespace

StreamDecoderResult openStreamDecoder(StreamDecoder** decoder, PcmSource* source,
                                      const uint8_t* data, const Mp3Layout& layout, bool loop)
{
    StreamDecoder* opened = new (std::nothrow) StreamDecoder();
    if (!opened)
        return STREAM_DECODER_NO_MEMORY;
    Mp3DecodingResult result = openMp3Decoding(&opened->acm, source, data, layout, loop);
    if (result != MP3_DECODING_OK) {
        delete opened;
        return result == MP3_DECODING_NO_CODEC ? STREAM_DECODER_NO_CODEC
                                               : STREAM_DECODER_NO_MEMORY;
    }
    *decoder = opened;
    return STREAM_DECODER_OK;
}

void closeStreamDecoder(StreamDecoder* decoder, PcmSource* source)
{
    closeMp3Decoding(&decoder->acm, source);
    delete decoder;
}

bool openSoundOutput(int sampleRate)
{
    return openWaveOutput(&output, sampleRate);
}

void closeSoundOutput()
{
    closeWaveOutput(&output);
}

int soundOutputRate()
{
    return output.sampleRate;
}

bool startSoundOutput(PcmSource* source, bool paused)
{
    return startWaveOutput(&output, source, paused);
}

void stopSoundOutput()
{
    stopWaveOutput(&output);
}

void pauseSoundOutput(bool paused)
{
    pauseWaveOutput(&output, paused);
}

bool soundOutputPaused()
{
    return output.paused;
}
