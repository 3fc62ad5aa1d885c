#include "sdloutput.h"

#include <SDL.h>

#include <atomic>
#include <cstdint>

#include "pcmsource.h"

const int sdlRingFrames = 32768;   // sample frames decoded ahead
const int sdlFeedFrames = 2048;    // sample frames decoded per step of the worker
const int sdlDeviceFrames = 2048;  // sample frames per device buffer: about 46 ms

struct SdlOutput {
    SDL_AudioDeviceID device = 0;
    int16_t* ring = nullptr;  // sdlRingFrames stereo sample frames
    // Sample frames ever written to and played from the ring; the worker moves
    // the one, the device's callback the other.
    std::atomic<uint64_t> written{0};
    std::atomic<uint64_t> played{0};
    std::atomic<bool> paused{false};
    std::atomic<bool> stopping{false};
    std::atomic<bool> sourceEnded{false};
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

#include <cstdlib>
#include <cstring>

#include "soundthread.h"

namespace {

const Uint32 workerPollMs = 50;

void copyFromRing(const SdlOutput* output, uint64_t from, int16_t* to, size_t frames)
{
    size_t at = size_t(from % sdlRingFrames);
    size_t first = frames < size_t(sdlRingFrames) - at ? frames : size_t(sdlRingFrames) - at;
    std::memcpy(to, output->ring + 2 * at, first * 2 * sizeof(int16_t));
    std::memcpy(to + 2 * first, output->ring, (frames - first) * 2 * sizeof(int16_t));
}

// SDL's audio thread: the next device buffer, silence while paused or stopped.
void fillDeviceBuffer(void* parameter, Uint8* bytes, int length)
{
    SdlOutput* output = static_cast<SdlOutput*>(parameter);
    if (!output->deviceThreadRaised) {
        raiseSoundThread();
        output->deviceThreadRaised = true;
    }
    int16_t* samples = reinterpret_cast<int16_t*>(bytes);
    size_t frames = size_t(length) / (2 * sizeof(int16_t));
    size_t given = 0;
    if (output->source && !output->paused.load(std::memory_order_acquire)) {
        uint64_t played = output->played.load(std::memory_order_relaxed);
        uint64_t written = output->written.load(std::memory_order_acquire);
        given = written - played < frames ? size_t(written - played) : frames;
        copyFromRing(output, played, samples, given);
        output->played.store(played + given, std::memory_order_release);
        SDL_SemPost(output->wake);
    }
    std::memset(samples + 2 * given, 0, (frames - given) * 2 * sizeof(int16_t));
}

// The worker: keeps the ring full from the source until told to stop.
int feedRing(void* parameter)
{
    SdlOutput* output = static_cast<SdlOutput*>(parameter);
    // Wins against the show's frame loop where the system allows it.
    SDL_SetThreadPriority(SDL_THREAD_PRIORITY_HIGH);
    while (!output->stopping.load(std::memory_order_acquire)) {
        uint64_t written = output->written.load(std::memory_order_relaxed);
        uint64_t played = output->played.load(std::memory_order_acquire);
        size_t room = size_t(sdlRingFrames) - size_t(written - played);
        if (room < size_t(sdlFeedFrames) || output->sourceEnded.load(std::memory_order_relaxed)) {
            SDL_SemWaitTimeout(output->wake, workerPollMs);
            continue;
        }
        size_t at = size_t(written % sdlRingFrames);
        size_t want = size_t(sdlFeedFrames);
        if (want > size_t(sdlRingFrames) - at)
            want = size_t(sdlRingFrames) - at;
        size_t got = readPcm(output->source, output->ring + 2 * at, want);
        output->written.store(written + got, std::memory_order_release);
        if (got < want)
            output->sourceEnded.store(true, std::memory_order_release);
    }
    return 0;
}

}  // namespace

// The one device of this kind the library opens.
static SdlOutput sdl;

bool openSdlOutput(int sampleRate)
{
    SdlOutput* output = &sdl;
    closeSdlOutput();
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return false;
    SDL_AudioSpec want;
    SDL_zero(want);
    want.freq = sampleRate;
    want.format = AUDIO_S16SYS;
    want.channels = 2;
    want.samples = Uint16(sdlDeviceFrames);
    want.callback = fillDeviceBuffer;
    want.userdata = output;
    SDL_AudioSpec have;
    output->device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (output->device == 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    output->ring =
        static_cast<int16_t*>(std::malloc(size_t(sdlRingFrames) * 2 * sizeof(int16_t)));
    output->wake = SDL_CreateSemaphore(0);
    if (!output->ring || !output->wake) {
        closeSdlOutput();
        return false;
    }
    return true;
}

void closeSdlOutput()
{
    SdlOutput* output = &sdl;
    stopSdlOutput();
    if (output->device) {
        SDL_CloseAudioDevice(output->device);
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        output->device = 0;
        output->deviceThreadRaised = false;
    }
    if (output->wake)
        SDL_DestroySemaphore(output->wake);
    output->wake = nullptr;
    std::free(output->ring);
    output->ring = nullptr;
}

bool startSdlOutput(PcmSource* source, bool paused)
{
    SdlOutput* output = &sdl;
    stopSdlOutput();
    if (!output->device)
        return false;
    output->written.store(0);
    output->played.store(0);
    output->stopping.store(false);
    output->sourceEnded.store(false);
    output->paused.store(paused);
    SDL_LockAudioDevice(output->device);
    output->source = source;
    SDL_UnlockAudioDevice(output->device);
    output->worker = SDL_CreateThread(feedRing, "snowgig sound", output);
    if (!output->worker) {
        stopSdlOutput();
        return false;
    }
    SDL_PauseAudioDevice(output->device, 0);
    return true;
}

void stopSdlOutput()
{
    SdlOutput* output = &sdl;
    if (output->worker) {
        output->stopping.store(true, std::memory_order_release);
        SDL_SemPost(output->wake);
        SDL_WaitThread(output->worker, nullptr);
        output->worker = nullptr;
    }
    if (output->device) {
        SDL_PauseAudioDevice(output->device, 1);
        // The callback runs under the device's lock: once it is taken, the
        // callback is not running and will find no source.
        SDL_LockAudioDevice(output->device);
        output->source = nullptr;
        SDL_UnlockAudioDevice(output->device);
    }
    output->source = nullptr;
}

void pauseSdlOutput(bool paused)
{
    SdlOutput* output = &sdl;
    output->paused.store(paused, std::memory_order_release);
}

const SoundOutputWay sdlOutputWay = {"sdl", openSdlOutput, closeSdlOutput,
    startSdlOutput, stopSdlOutput, pauseSdlOutput};
