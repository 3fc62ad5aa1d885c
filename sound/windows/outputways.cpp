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

WasapiOutput wasapi;
WaveOutput waveOut;

bool openWasapi(int sampleRate)
{
    return openWasapiOutput(&wasapi, sampleRate);
}

void closeWasapi()
{
    closeWasapiOutput(&wasapi);
}

bool startWasapi(PcmSource* source, bool paused)
{
    return startWasapiOutput(&wasapi, source, paused);
}

void stopWasapi()
{
    stopWasapiOutput(&wasapi);
}

void pauseWasapi(bool paused)
{
    pauseWasapiOutput(&wasapi, paused);
}

bool openWaveOut(int sampleRate)
{
    return openWaveOutput(&waveOut, sampleRate);
}

void closeWaveOut()
{
    closeWaveOutput(&waveOut);
}

bool startWaveOut(PcmSource* source, bool paused)
{
    return startWaveOutput(&waveOut, source, paused);
}

void stopWaveOut()
{
    stopWaveOutput(&waveOut);
}

void pauseWaveOut(bool paused)
{
    pauseWaveOutput(&waveOut, paused);
}

const SoundOutputWay ways[] = {
    {"wasapi", openWasapi, closeWasapi, startWasapi, stopWasapi, pauseWasapi},
    {"waveout", openWaveOut, closeWaveOut, startWaveOut, stopWaveOut, pauseWaveOut},
};

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
