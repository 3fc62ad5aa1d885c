#include "pulseoutput.h"

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
    bool timedOut = false;
    bool loopThreadRaised = false;
};

// Connects to the sound server for 16-bit stereo at `sampleRate`. False when
// no server answers in time: the caller then tries another way to a device.
bool openPulseOutput(int sampleRate);
void closePulseOutput();

bool startPulseOutput(PcmSource* source, bool paused);
// Afterwards `source` is no longer touched.
void stopPulseOutput();
void pausePulseOutput(bool paused);

#include <pulse/rtclock.h>

#include "soundthread.h"

namespace {

const size_t bytesPerFrame = 2 * sizeof(int16_t);

uint32_t bytesFor(int sampleRate, int ms)
{
    return uint32_t(uint64_t(sampleRate) * uint64_t(ms) / 1000u) * uint32_t(bytesPerFrame);
}

// Every callback below runs on the loop's thread with the loop locked.

void wakeWaiter(PulseOutput* output)
{
    pa_threaded_mainloop_signal(output->loop, 0);
}

void onContextState(pa_context*, void* parameter)
{
    wakeWaiter(static_cast<PulseOutput*>(parameter));
}

void onStreamState(pa_stream*, void* parameter)
{
    wakeWaiter(static_cast<PulseOutput*>(parameter));
}

void onTimeout(pa_mainloop_api*, pa_time_event*, const struct timeval*, void* parameter)
{
    PulseOutput* output = static_cast<PulseOutput*>(parameter);
    output->timedOut = true;
    wakeWaiter(output);
}

// The server asks for `wanted` more bytes: decode them straight into its buffer.
void onWritable(pa_stream* stream, size_t wanted, void* parameter)
{
    PulseOutput* output = static_cast<PulseOutput*>(parameter);
    if (!output->loopThreadRaised) {
        raiseSoundThread();
        output->loopThreadRaised = true;
    }
    while (wanted >= bytesPerFrame && output->source && !output->sourceEnded) {
        void* buffer = nullptr;
        size_t bytes = wanted;
        if (pa_stream_begin_write(stream, &buffer, &bytes) < 0 || !buffer ||
            bytes < bytesPerFrame)
            return;
        if (bytes > wanted)
            bytes = wanted;
        size_t frames = bytes / bytesPerFrame;
        size_t got = readPcm(output->source, static_cast<int16_t*>(buffer), frames);
        if (got < frames)
            output->sourceEnded = true;
        if (got == 0) {
            pa_stream_cancel_write(stream);
            return;
        }
        if (pa_stream_write(stream, buffer, got * bytesPerFrame, nullptr, 0, PA_SEEK_RELATIVE) < 0)
            return;
        wanted -= got * bytesPerFrame;
    }
}

// Waits on the locked loop until `ready` or `failed` says so, or the connect
// time runs out. True when ready.
template <typename Ready, typename Failed>
bool waitUntil(PulseOutput* output, Ready ready, Failed failed)
{
    pa_mainloop_api* api = pa_threaded_mainloop_get_api(output->loop);
    output->timedOut = false;
    pa_time_event* timer = pa_context_rttime_new(
        output->context, pa_rtclock_now() + pa_usec_t(pulseConnectMs) * PA_USEC_PER_MSEC,
        onTimeout, output);
    bool result = false;
    for (;;) {
        if (ready()) {
            result = true;
            break;
        }
        if (failed() || output->timedOut || !timer)
            break;
        pa_threaded_mainloop_wait(output->loop);
    }
    if (timer)
        api->time_free(timer);
    return result;
}

void disconnectStream(PulseOutput* output)
{
    if (!output->stream)
        return;
    pa_stream_set_write_callback(output->stream, nullptr, nullptr);
    pa_stream_set_underflow_callback(output->stream, nullptr, nullptr);
    pa_stream_set_state_callback(output->stream, nullptr, nullptr);
    pa_stream_disconnect(output->stream);
    pa_stream_unref(output->stream);
    output->stream = nullptr;
}

}  // namespace

// The one device of this kind the library opens.
static PulseOutput pulse;

bool openPulseOutput(int sampleRate)
{
    PulseOutput* output = &pulse;
    closePulseOutput();
    output->loop = pa_threaded_mainloop_new();
    if (!output->loop)
        return false;
    output->context = pa_context_new(pa_threaded_mainloop_get_api(output->loop), "snowgig");
    if (!output->context || pa_threaded_mainloop_start(output->loop) < 0) {
        closePulseOutput();
        return false;
    }
    pa_threaded_mainloop_lock(output->loop);
    pa_context_set_state_callback(output->context, onContextState, output);
    // No server is started on the user's behalf: without one, another way to
    // the device is tried.
    bool ready =
        pa_context_connect(output->context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) >= 0 &&
        waitUntil(
            output, [output] { return pa_context_get_state(output->context) == PA_CONTEXT_READY; },
            [output] { return !PA_CONTEXT_IS_GOOD(pa_context_get_state(output->context)); });
    pa_threaded_mainloop_unlock(output->loop);
    if (!ready) {
        closePulseOutput();
        return false;
    }
    output->sampleRate = sampleRate;
    return true;
}

void closePulseOutput()
{
    PulseOutput* output = &pulse;
    stopPulseOutput();
    if (output->loop)
        pa_threaded_mainloop_stop(output->loop);
    if (output->context) {
        pa_context_set_state_callback(output->context, nullptr, nullptr);
        pa_context_disconnect(output->context);
        pa_context_unref(output->context);
    }
    if (output->loop)
        pa_threaded_mainloop_free(output->loop);
    *output = PulseOutput();
}

bool startPulseOutput(PcmSource* source, bool paused)
{
    PulseOutput* output = &pulse;
    stopPulseOutput();
    if (!output->context)
        return false;
    pa_sample_spec spec;
    spec.format = PA_SAMPLE_S16NE;
    spec.rate = uint32_t(output->sampleRate);
    spec.channels = 2;
    pa_buffer_attr attr;
    attr.maxlength = uint32_t(-1);
    attr.tlength = bytesFor(output->sampleRate, pulseBufferMs);
    // Plays as soon as there is anything to play, also after an underflow.
    attr.prebuf = 0;
    attr.minreq = bytesFor(output->sampleRate, pulseRefillMs);
    attr.fragsize = uint32_t(-1);

    pa_threaded_mainloop_lock(output->loop);
    output->stream = pa_stream_new(output->context, "snowgig music", &spec, nullptr);
    bool ready = false;
    if (output->stream) {
        output->source = source;
        output->sourceEnded = false;
        pa_stream_set_state_callback(output->stream, onStreamState, output);
        pa_stream_set_write_callback(output->stream, onWritable, output);
        pa_stream_flags_t flags = paused ? PA_STREAM_START_CORKED : PA_STREAM_NOFLAGS;
        pa_stream* stream = output->stream;
        ready = pa_stream_connect_playback(stream, nullptr, &attr, flags, nullptr, nullptr) >= 0 &&
                waitUntil(
                    output, [stream] { return pa_stream_get_state(stream) == PA_STREAM_READY; },
                    [stream] { return !PA_STREAM_IS_GOOD(pa_stream_get_state(stream)); });
        if (!ready) {
            disconnectStream(output);
            output->source = nullptr;
        }
    }
    pa_threaded_mainloop_unlock(output->loop);
    return ready;
}

void stopPulseOutput()
{
    PulseOutput* output = &pulse;
    if (!output->loop)
        return;
    pa_threaded_mainloop_lock(output->loop);
    disconnectStream(output);
    output->source = nullptr;
    pa_threaded_mainloop_unlock(output->loop);
}

void pausePulseOutput(bool paused)
{
    PulseOutput* output = &pulse;
    if (!output->loop)
        return;
    pa_threaded_mainloop_lock(output->loop);
    if (output->stream) {
        pa_operation* corking = pa_stream_cork(output->stream, paused ? 1 : 0, nullptr, nullptr);
        if (corking)
            pa_operation_unref(corking);
    }
    pa_threaded_mainloop_unlock(output->loop);
}

const SoundOutputWay pulseOutputWay = {"pulse", openPulseOutput, closePulseOutput,
    startPulseOutput, stopPulseOutput, pausePulseOutput};
