// The system's shared audio engine (WASAPI) with a deep queue: about a second
// of sound is handed to the device ahead of time by a refill thread of our
// own, so that neither our thread nor one of the system's being held up for a
// few hundred milliseconds is heard.
#ifndef SNOWGIG_WASAPIOUTPUT_H
#define SNOWGIG_WASAPIOUTPUT_H

#include <windows.h>
#include <audioclient.h>
#include <mmdeviceapi.h>

#include "pcmring.h"
#include "pcmsource.h"

// How much is kept queued on the device, and how often it is topped up.
const DWORD wasapiQueueMs = 1000;
const DWORD wasapiRefillMs = 40;

struct WasapiOutput {
    bool comInitialised;
    IMMDevice* endpoint;
    IAudioClient* client;
    IAudioRenderClient* render;
    UINT32 deviceFrames;  // the device queue's size
    int sampleRate;
    PcmRing ring;
    CRITICAL_SECTION lock;  // the ring's counts and the client's state
    bool lockReady;
    HANDLE wake;
    HANDLE worker;
    volatile LONG stopping;
    PcmSource* source;
    bool running;  // the client is started
    bool paused;
};

// Opens the default render endpoint for 16-bit stereo at `sampleRate`. False
// when there is none or it refuses the format.
bool openWasapiOutput(WasapiOutput* output, int sampleRate);
void closeWasapiOutput(WasapiOutput* output);

bool startWasapiOutput(WasapiOutput* output, PcmSource* source, bool paused);
void stopWasapiOutput(WasapiOutput* output);
// Pausing stops the device and drops what it holds, so the pause is heard at
// once; resuming sends those frames again, so nothing is skipped.
void pauseWasapiOutput(WasapiOutput* output, bool paused);

#endif
