// The system's wave output, fed from a PcmSource by a worker thread through a
// few buffers that the device hands back as it plays them.
#ifndef SNOWGIG_WAVEOUTPUT_H
#define SNOWGIG_WAVEOUTPUT_H

#include <windows.h>
#include <mmsystem.h>

#include <cstdint>

#include "pcmsource.h"

const int outputBufferCount = 8;
const int outputBufferFrames = 2048;

struct WaveOutput {
    HWAVEOUT device;
    HANDLE bufferDone;
    int sampleRate;
    WAVEHDR headers[outputBufferCount];
    int16_t* samples;
    HANDLE worker;
    volatile LONG stopping;
    PcmSource* source;
    bool paused;
};

// Opens the default device for 16-bit stereo at `sampleRate`. False when there
// is no device or it refuses the format.
bool openWaveOutput(int sampleRate);
void closeWaveOutput();

// Starts feeding the device from `source` (paused: the buffers fill but nothing
// is heard until resumed). Returns at once; decoding runs on the worker.
bool startWaveOutput(PcmSource* source, bool paused);
// Stops the worker and the device; afterwards `source` is no longer touched.
void stopWaveOutput();
void pauseWaveOutput(bool paused);

#endif
