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

const SoundOutputWay ways[] = {pulseOutputWay, sdlOutputWay};

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
