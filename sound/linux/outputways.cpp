// The Linux library's ways to a sound device: the desktop's sound server
// through its own library where one answers, else SDL audio (its own
// PulseAudio or ALSA drivers). SNOWGIG_SOUND_OUTPUT=sdl, or an SDL_AUDIODRIVER
// of the user's choosing, goes straight to SDL.
#include <cstdlib>
#include <cstring>

#include "pulseoutput.h"
#include "sdloutput.h"
#include "soundplatform.h"

namespace {

PulseOutput pulse;
SdlOutput sdl;

bool openPulse(int sampleRate)
{
    return openPulseOutput(&pulse, sampleRate);
}

void closePulse()
{
    closePulseOutput(&pulse);
}

bool startPulse(PcmSource* source, bool paused)
{
    return startPulseOutput(&pulse, source, paused);
}

void stopPulse()
{
    stopPulseOutput(&pulse);
}

void pausePulse(bool paused)
{
    pausePulseOutput(&pulse, paused);
}

bool openSdl(int sampleRate)
{
    return openSdlOutput(&sdl, sampleRate);
}

void closeSdl()
{
    closeSdlOutput(&sdl);
}

bool startSdl(PcmSource* source, bool paused)
{
    return startSdlOutput(&sdl, source, paused);
}

void stopSdl()
{
    stopSdlOutput(&sdl);
}

void pauseSdl(bool paused)
{
    pauseSdlOutput(&sdl, paused);
}

const SoundOutputWay ways[] = {
    {"pulse", openPulse, closePulse, startPulse, stopPulse, pausePulse},
    {"sdl", openSdl, closeSdl, startSdl, stopSdl, pauseSdl},
};

bool sdlChosen()
{
    const char* output = std::getenv("SNOWGIG_SOUND_OUTPUT");
    return (output && std::strcmp(output, "sdl") == 0) || std::getenv("SDL_AUDIODRIVER");
}

}  // namespace

const SoundOutputWay* soundOutputWays(size_t* count)
{
    bool skipPreferred = sdlChosen();
    *count = skipPreferred ? 1 : 2;
    return skipPreferred ? &ways[1] : ways;
}
