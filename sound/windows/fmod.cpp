// fmod.dll's platform part: streams decoded by the system's MP3 codec (ACM)
// and played through the system's shared audio engine, or its wave output
// where that is missing.
#include <new>

#include "mp3decoding.h"
#include "soundplatform.h"
#include "systemoutput.h"

struct StreamDecoder {
    AcmDecoder acm;
};

namespace {

SystemOutput output;

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
    return openSystemOutput(&output, sampleRate);
}

void closeSoundOutput()
{
    closeSystemOutput(&output);
}

int soundOutputRate()
{
    return output.sampleRate;
}

bool startSoundOutput(PcmSource* source, bool paused)
{
    return startSystemOutput(&output, source, paused);
}

void stopSoundOutput()
{
    stopSystemOutput(&output);
}

void pauseSoundOutput(bool paused)
{
    pauseSystemOutput(&output, paused);
}

bool soundOutputPaused()
{
    return output.paused;
}
