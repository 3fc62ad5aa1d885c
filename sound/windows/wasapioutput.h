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
// How often a lost device is looked for again, and how often the system's
// default device is compared with the one playing.
const DWORD wasapiRetryMs = 250;
const DWORD wasapiDefaultCheckMs = 500;

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
    // Set while the device is gone (unplugged, disabled, another default
    // chosen): the refill thread opens the default device again and plays on
    // from where the music was; until one is there the music is silent.
    bool lost;
    DWORD retryAt;  // tick count of the next attempt
    WCHAR* endpointId;  // of the device playing, to notice a new default
    // SNOWGIG_SOUND_DEVICE_LOSS=AT_MS,ABSENT_MS in the environment: after AT_MS
    // of music the device reports itself gone, and none is there for
    // ABSENT_MS. For tests; 0 when unset.
    uint64_t lossAtFrame;
    DWORD absentMs;
    DWORD absentUntil;
};

// Opens the default render endpoint for 16-bit stereo at `sampleRate`. False
// when there is none or it refuses the format.
bool openWasapiOutput(int sampleRate);
void closeWasapiOutput();

bool startWasapiOutput(PcmSource* source, bool paused);
void stopWasapiOutput();
// Pausing stops the device and drops what it holds, so the pause is heard at
// once; resuming sends those frames again, so nothing is skipped. A device
// lost while playing is replaced the same way: the new one starts with the
// frames the old one did not play.
void pauseWasapiOutput(bool paused);

#endif
