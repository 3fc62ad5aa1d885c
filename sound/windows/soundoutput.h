// The library's one output: the system's shared audio engine with a deep
// queue where there is one, the older wave output otherwise.
// SNOWGIG_SOUND_OUTPUT=waveout in the environment forces the wave output (for
// comparing the two).
#ifndef SNOWGIG_SOUNDOUTPUT_H
#define SNOWGIG_SOUNDOUTPUT_H

#include "pcmsource.h"
#include "wasapioutput.h"
#include "waveoutput.h"

enum SoundOutputKind { SOUND_OUTPUT_NONE, SOUND_OUTPUT_WASAPI, SOUND_OUTPUT_WAVEOUT };

struct SoundOutput {
    SoundOutputKind kind;
    WasapiOutput wasapi;
    WaveOutput waveOut;
    int sampleRate;
    bool paused;
};

// False when no output takes 16-bit stereo at `sampleRate`.
bool openSoundOutput(SoundOutput* output, int sampleRate);
void closeSoundOutput(SoundOutput* output);
bool startSoundOutput(SoundOutput* output, PcmSource* source, bool paused);
void stopSoundOutput(SoundOutput* output);
void pauseSoundOutput(SoundOutput* output, bool paused);

#endif
