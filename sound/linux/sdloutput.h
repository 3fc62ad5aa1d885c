// The default audio device through SDL, fed from a PcmSource. A worker thread
// decodes into a ring of samples that it keeps full, about 740 ms ahead of
// the device at 44.1 kHz, so that a busy main thread cannot make the sound run
// dry; SDL's audio thread only copies out of the ring, a short device buffer
// at a time, so that a pause is heard at once.
#ifndef SNOWGIG_SDLOUTPUT_H
#define SNOWGIG_SDLOUTPUT_H

#include <SDL.h>

#include <atomic>
#include <cstdint>

#include "pcmsource.h"

const int sdlRingFrames = 32768;   // sample frames decoded ahead
const int sdlFeedFrames = 2048;    // sample frames decoded per step of the worker
const int sdlDeviceFrames = 2048;  // sample frames per device buffer: about 46 ms

struct SdlOutput {
    SDL_AudioDeviceID device = 0;
    int sampleRate = 0;
    int16_t* ring = nullptr;  // sdlRingFrames stereo sample frames
    // Sample frames ever written to and played from the ring; the worker moves
    // the one, the device's callback the other.
    std::atomic<uint64_t> written{0};
    std::atomic<uint64_t> played{0};
    std::atomic<bool> paused{false};
    std::atomic<bool> stopping{false};
    std::atomic<bool> sourceEnded{false};
    // Device buffers that found the ring short while playing, and the silent
    // sample frames they were given instead.
    std::atomic<uint64_t> starvedBuffers{0};
    std::atomic<uint64_t> starvedFrames{0};
    SDL_sem* wake = nullptr;  // posted by the callback as it frees room
    bool deviceThreadRaised = false;  // touched only by the device's callback
    SDL_Thread* worker = nullptr;
    PcmSource* source = nullptr;
};

// Opens the default device for 16-bit stereo at `sampleRate` (SDL converts
// if the device itself runs otherwise). False when SDL finds no audio driver
// that starts or the device cannot be opened: that is, no sound device.
bool openSdlOutput(int sampleRate);
void closeSdlOutput();

bool startSdlOutput(PcmSource* source, bool paused);
// Stops the worker and the device; afterwards `source` is no longer touched.
void stopSdlOutput();
void pauseSdlOutput(bool paused);

#endif
