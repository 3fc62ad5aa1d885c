#include "systemoutput.h"

#include <cstring>

#include "outputtrace.h"

OutputTrace outputTrace = nullptr;

namespace {

bool waveOutForced()
{
    char value[16];
    DWORD n = GetEnvironmentVariableA("SNOWGIG_SOUND_OUTPUT", value, sizeof value);
    return n > 0 && n < sizeof value && lstrcmpiA(value, "waveout") == 0;
}

}  // namespace

bool openSystemOutput(SystemOutput* output, int sampleRate)
{
    std::memset(output, 0, sizeof *output);
    if (!waveOutForced() && openWasapiOutput(&output->wasapi, sampleRate))
        output->kind = SYSTEM_OUTPUT_WASAPI;
    else if (openWaveOutput(&output->waveOut, sampleRate))
        output->kind = SYSTEM_OUTPUT_WAVEOUT;
    else
        return false;
    output->sampleRate = sampleRate;
    return true;
}

void closeSystemOutput(SystemOutput* output)
{
    if (output->kind == SYSTEM_OUTPUT_WASAPI)
        closeWasapiOutput(&output->wasapi);
    else if (output->kind == SYSTEM_OUTPUT_WAVEOUT)
        closeWaveOutput(&output->waveOut);
    std::memset(output, 0, sizeof *output);
}

bool startSystemOutput(SystemOutput* output, PcmSource* source, bool paused)
{
    bool started = false;
    if (output->kind == SYSTEM_OUTPUT_WASAPI)
        started = startWasapiOutput(&output->wasapi, source, paused);
    else if (output->kind == SYSTEM_OUTPUT_WAVEOUT)
        started = startWaveOutput(&output->waveOut, source, paused);
    if (started)
        output->paused = paused;
    return started;
}

void stopSystemOutput(SystemOutput* output)
{
    if (output->kind == SYSTEM_OUTPUT_WASAPI)
        stopWasapiOutput(&output->wasapi);
    else if (output->kind == SYSTEM_OUTPUT_WAVEOUT)
        stopWaveOutput(&output->waveOut);
}

void pauseSystemOutput(SystemOutput* output, bool paused)
{
    if (output->kind == SYSTEM_OUTPUT_WASAPI)
        pauseWasapiOutput(&output->wasapi, paused);
    else if (output->kind == SYSTEM_OUTPUT_WAVEOUT)
        pauseWaveOutput(&output->waveOut, paused);
    output->paused = paused;
}
