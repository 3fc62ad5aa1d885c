#include "webaudiooutput.h"

#include <cstdint>

#include "pcmsource.h"

const int webChunkFrames = 4096;      // sample frames per queued chunk: about 93 ms
const double webQueueSeconds = 0.75;  // how far ahead the queue is kept
const int webFeedIntervalMs = 40;

struct WebAudioOutput {
    int sampleRate = 0;
    bool open = false;
    bool paused = false;
    bool sourceEnded = false;
    PcmSource* source = nullptr;
    int16_t* chunk = nullptr;  // webChunkFrames stereo sample frames
    long timer = 0;
    // Time spent decoding and queueing, for the figures of the benchmarks.
    double feedMilliseconds = 0.0;
};

// False when the page offers no AudioContext (no Web Audio, or none allowed
// to start).
bool openWebAudioOutput(int sampleRate);
void closeWebAudioOutput();

bool startWebAudioOutput(PcmSource* source, bool paused);
// Stops every queued chunk; afterwards `source` is no longer touched.
void stopWebAudioOutput();
void pauseWebAudioOutput(bool paused);

// Tops the queue up; the output's timer calls it.
void feedWebAudioOutput(WebAudioOutput* output);

#include <emscripten.h>
#include <emscripten/eventloop.h>

#include <cstdlib>

namespace {

// The JavaScript side keeps its state in Module.webAudio: the context, a gain
// node all chunks play through, the chunks still queued, and the context time
// at which the next chunk starts.
EM_JS(int, webAudioOpen, (), {
    const context = snowgigPage.audioContext();
    if (!context)
        return 0;
    const gain = context.createGain();
    gain.connect(context.destination);
    Module.webAudio = {context: context, gain: gain, chunks: new Set(), next: 0,
                       underruns: 0, feedMilliseconds: 0};
    return 1;
});

EM_JS(void, webAudioClose, (), {
    const audio = Module.webAudio;
    if (!audio)
        return;
    for (const chunk of audio.chunks) {
        chunk.onended = null;
        chunk.stop();
    }
    audio.chunks.clear();
    audio.gain.disconnect();
    Module.webAudio = null;
});

// Seconds queued beyond what the context has played.
EM_JS(double, webAudioQueued, (), {
    const audio = Module.webAudio;
    return Math.max(0, audio.next - audio.context.currentTime);
});

EM_JS(void, webAudioQueue, (const int16_t* samples, int frames, int rate), {
    const audio = Module.webAudio;
    const context = audio.context;
    const buffer = context.createBuffer(2, frames, rate);
    const left = buffer.getChannelData(0);
    const right = buffer.getChannelData(1);
    const first = samples >> 1;
    for (let i = 0; i < frames; i++) {
        left[i] = HEAP16[first + 2 * i] / 32768;
        right[i] = HEAP16[first + 2 * i + 1] / 32768;
    }
    const chunk = context.createBufferSource();
    chunk.buffer = buffer;
    chunk.connect(audio.gain);
    // A queue that ran dry (or the first chunk) starts a little ahead of the
    // clock, so that it is not cut at its start.
    const soonest = context.currentTime + 0.02;
    if (audio.next < soonest) {
        if (audio.next > 0 && context.state == "running")
            audio.underruns++;
        audio.next = soonest;
    }
    chunk.start(audio.next);
    audio.next += frames / rate;
    audio.chunks.add(chunk);
    chunk.onended = () => audio.chunks.delete(chunk);
});

// A stopped chunk stays with the context until the context has played on to
// its end, which a suspended context (the page's, between runs) does not do:
// its onended, which holds the whole program instance, goes first.
EM_JS(void, webAudioStopChunks, (), {
    const audio = Module.webAudio;
    for (const chunk of audio.chunks) {
        chunk.onended = null;
        chunk.stop();
    }
    audio.chunks.clear();
    audio.next = 0;
});

// The page suspends or resumes the context, and keeps it going after
// interruptions only while the music is not paused.
EM_JS(void, webAudioSuspend, (int paused), {
    snowgigPage.pauseSound(paused != 0);
});

EM_JS(void, webAudioNoteFeed, (double milliseconds), {
    Module.webAudio.feedMilliseconds += milliseconds;
});

void feedOnTimer(void* output)
{
    feedWebAudioOutput(static_cast<WebAudioOutput*>(output));
}

}  // namespace

// The one device of this kind the library opens.
static WebAudioOutput webAudio;

bool openWebAudioOutput(int sampleRate)
{
    WebAudioOutput* output = &webAudio;
    closeWebAudioOutput();
    output->chunk =
        static_cast<int16_t*>(std::malloc(size_t(webChunkFrames) * 2 * sizeof(int16_t)));
    if (!output->chunk || !webAudioOpen()) {
        closeWebAudioOutput();
        return false;
    }
    output->sampleRate = sampleRate;
    output->open = true;
    return true;
}

void closeWebAudioOutput()
{
    WebAudioOutput* output = &webAudio;
    stopWebAudioOutput();
    if (output->open)
        webAudioClose();
    output->open = false;
    std::free(output->chunk);
    output->chunk = nullptr;
    output->sampleRate = 0;
}

bool startWebAudioOutput(PcmSource* source, bool paused)
{
    WebAudioOutput* output = &webAudio;
    stopWebAudioOutput();
    if (!output->open)
        return false;
    output->source = source;
    output->sourceEnded = false;
    output->paused = paused;
    webAudioSuspend(paused ? 1 : 0);
    // The queue is filled before anything is heard.
    feedWebAudioOutput(output);
    output->timer = emscripten_set_interval(feedOnTimer, webFeedIntervalMs, output);
    return true;
}

void stopWebAudioOutput()
{
    WebAudioOutput* output = &webAudio;
    if (output->timer) {
        emscripten_clear_interval(output->timer);
        output->timer = 0;
    }
    if (output->open && output->source)
        webAudioStopChunks();
    output->source = nullptr;
}

void pauseWebAudioOutput(bool paused)
{
    WebAudioOutput* output = &webAudio;
    output->paused = paused;
    if (output->open)
        webAudioSuspend(paused ? 1 : 0);
}

void feedWebAudioOutput(WebAudioOutput* output)
{
    if (!output->source || output->sourceEnded)
        return;
    const double began = emscripten_get_now();
    while (webAudioQueued() < webQueueSeconds) {
        size_t got = readPcm(output->source, output->chunk, size_t(webChunkFrames));
        if (got > 0)
            webAudioQueue(output->chunk, int(got), output->sampleRate);
        if (got < size_t(webChunkFrames)) {
            output->sourceEnded = true;
            break;
        }
    }
    const double spent = emscripten_get_now() - began;
    output->feedMilliseconds += spent;
    webAudioNoteFeed(spent);
}

const SoundOutputWay webAudioOutputWay = {"webaudio", openWebAudioOutput, closeWebAudioOutput,
    startWebAudioOutput, stopWebAudioOutput, pauseWebAudioOutput};
