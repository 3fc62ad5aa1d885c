// fmod.dll's ways to a sound device: the system's shared audio engine
// (WASAPI) with a deep queue, else the older wave output.
// SNOWGIG_SOUND_OUTPUT=waveout in the environment goes straight to the wave
// output (for comparing the two).
#include <windows.h>

#include "outputtrace.h"
#include "soundplatform.h"
#include "wasapioutput.h"
#include "waveoutput.h"

OutputTrace outputTrace = nullptr;

namespace {

const SoundOutputWay ways[] = {wasapiOutputWay, waveOutputWay};

bool waveOutForced()
{
    char value[16];
    DWORD n = GetEnvironmentVariableA("SNOWGIG_SOUND_OUTPUT", value, sizeof value);
    return n > 0 && n < sizeof value && lstrcmpiA(value, "waveout") == 0;
}

}  // namespace

const SoundOutputWay* soundOutputWays(size_t* count)
{
    bool skipPreferred = waveOutForced();
    *count = skipPreferred ? 1 : 2;
    return skipPreferred ? &ways[1] : ways;
}
