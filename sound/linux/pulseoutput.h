// The desktop's sound server through PulseAudio's own client library (PipeWire
// serves the same protocol). The server holds about a second of the tune ahead
// of the speakers, so a late thread of ours, or a busy machine, costs nothing
// heard; pause and unpause cork and uncork that buffer, so a pause is heard at
// once and the tune goes on from the very next sample, without waiting for the
// buffer to drain or refill.
#ifndef SNOWGIG_PULSEOUTPUT_H
#define SNOWGIG_PULSEOUTPUT_H

#include <pulse/pulseaudio.h>

#include <cstdint>

#include "pcmsource.h"

const int pulseBufferMs = 1000;   // held at the server ahead of the speakers
const int pulseRefillMs = 200;    // the server asks for more once this has played
const int pulseConnectMs = 2000;  // longest wait for the server to answer

struct PulseOutput {
    pa_threaded_mainloop* loop = nullptr;
    pa_context* context = nullptr;
    pa_stream* stream = nullptr;
    int sampleRate = 0;
    // Touched under the loop's lock only.
    PcmSource* source = nullptr;
    bool sourceEnded = false;
    bool paused = false;
    bool timedOut = false;
    bool loopThreadRaised = false;
    // Times the server found the buffer empty while playing.
    uint64_t underflows = 0;
};

// Connects to the sound server for 16-bit stereo at `sampleRate`. False when
// no server answers in time: the caller then tries another way to a device.
bool openPulseOutput(int sampleRate);
void closePulseOutput();

bool startPulseOutput(PcmSource* source, bool paused);
// Afterwards `source` is no longer touched.
void stopPulseOutput();
void pausePulseOutput(bool paused);

#endif
