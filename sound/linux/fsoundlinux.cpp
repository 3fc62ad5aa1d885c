// The Linux library's platform part: streams decoded by libmpg123 and played
// on the desktop's sound server (or through SDL audio to ALSA).
#include <cstdlib>
#include <cstring>
#include <new>

#include "mpg123decoder.h"
#include "pulseoutput.h"
#include "sdloutput.h"
#include "soundplatform.h"

struct StreamDecoder {
    Mpg123Decoder mpg123;
};

namespace {

// Frames handed to the decoder at a time.
const size_t framesPerDecode = 8;

enum ActiveOutput { OUTPUT_NONE, OUTPUT_PULSE, OUTPUT_SDL };

ActiveOutput active = OUTPUT_NONE;
PulseOutput pulse;
SdlOutput sdl;

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

// The sound server through its own library where one answers, else SDL audio
// (its own PulseAudio or ALSA drivers). SNOWGIG_SOUND_OUTPUT=sdl, or an
// SDL_AUDIODRIVER of the user's choosing, goes straight to SDL.
bool sdlChosen()
{
    const char* output = std::getenv("SNOWGIG_SOUND_OUTPUT");
    return (output && std::strcmp(output, "sdl") == 0) || std::getenv("SDL_AUDIODRIVER");
}

bool openSoundOutput(int sampleRate)
{
    closeSoundOutput();
    if (!sdlChosen() && openPulseOutput(&pulse, sampleRate))
        active = OUTPUT_PULSE;
    else if (openSdlOutput(&sdl, sampleRate))
        active = OUTPUT_SDL;
    return active != OUTPUT_NONE;
}

void closeSoundOutput()
{
    if (active == OUTPUT_PULSE)
        closePulseOutput(&pulse);
    else if (active == OUTPUT_SDL)
        closeSdlOutput(&sdl);
    active = OUTPUT_NONE;
}

int soundOutputRate()
{
    if (active == OUTPUT_PULSE)
        return pulse.sampleRate;
    return active == OUTPUT_SDL ? sdl.sampleRate : 0;
}

bool startSoundOutput(PcmSource* source, bool paused)
{
    if (active == OUTPUT_PULSE)
        return startPulseOutput(&pulse, source, paused);
    return active == OUTPUT_SDL && startSdlOutput(&sdl, source, paused);
}

void stopSoundOutput()
{
    if (active == OUTPUT_PULSE)
        stopPulseOutput(&pulse);
    else if (active == OUTPUT_SDL)
        stopSdlOutput(&sdl);
}

void pauseSoundOutput(bool paused)
{
    if (active == OUTPUT_PULSE)
        pausePulseOutput(&pulse, paused);
    else if (active == OUTPUT_SDL)
        pauseSdlOutput(&sdl, paused);
}

bool soundOutputPaused()
{
    if (active == OUTPUT_PULSE)
        return pulse.paused;
    return active == OUTPUT_SDL && sdl.paused.load();
}
