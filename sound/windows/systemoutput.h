// The library's one output: the system's shared audio engine with a deep
// queue where there is one, the older wave output otherwise.
// SNOWGIG_SOUND_OUTPUT=waveout in the environment forces the wave output (for
// comparing the two).
#ifndef SNOWGIG_SYSTEMOUTPUT_H
#define SNOWGIG_SYSTEMOUTPUT_H

#include "pcmsource.h"
#include "wasapioutput.h"
#include "waveoutput.h"

enum SystemOutputKind { SYSTEM_OUTPUT_NONE, SYSTEM_OUTPUT_WASAPI, SYSTEM_OUTPUT_WAVEOUT };

struct SystemOutput {
    SystemOutputKind kind;
    WasapiOutput wasapi;
    WaveOutput waveOut;
    int sampleRate;
    bool paused;
};

// False when no output takes 16-bit stereo at `sampleRate`.
bool openSystemOutput(SystemOutput* output, int sampleRate);
void closeSystemOutput(SystemOutput* output);
bool startSystemOutput(SystemOutput* output, PcmSource* source, bool paused);
void stopSystemOutput(SystemOutput* output);
void pauseSystemOutput(SystemOutput* output, bool paused);

#endif
