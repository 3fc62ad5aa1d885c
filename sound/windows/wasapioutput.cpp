#include "wasapioutput.h"

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

#include <cstdio>
#include <cstring>

#include "feederthread.h"
#include "outputtrace.h"

namespace {

const REFERENCE_TIME hundredNsPerMs = 10000;

template <typename T>
void release(T*& p)
{
    if (p) {
        p->Release();
        p = nullptr;
    }
}

bool tickReached(DWORD at)
{
    return GetTickCount() - at < 0x80000000u;
}

// The planted loss of SNOWGIG_SOUND_DEVICE_LOSS, once the music has reached it.
bool plantedLossDue(WasapiOutput* output)
{
    if (output->lossAtFrame == 0 || output->ring.played < output->lossAtFrame)
        return false;
    output->lossAtFrame = 0;
    output->absentUntil = (GetTickCount() + output->absentMs) | 1;
    return true;
}

// Hands the device as much as it has room for. Called with the lock held.
// A failure means the device is no longer usable.
HRESULT topUp(WasapiOutput* output)
{
    UINT32 queued = 0;
    HRESULT hr = plantedLossDue(output) ? AUDCLNT_E_DEVICE_INVALIDATED
                                        : output->client->GetCurrentPadding(&queued);
    if (FAILED(hr))
        return hr;
    markPcmRingQueued(&output->ring, queued);
    UINT32 room = output->deviceFrames - queued;
    size_t ready = pcmRingReady(output->ring);
    UINT32 n = ready < room ? UINT32(ready) : room;
    if (n == 0)
        return S_OK;
    BYTE* data = nullptr;
    hr = output->render->GetBuffer(n, &data);
    if (FAILED(hr))
        return hr;
    sendPcmRing(&output->ring, reinterpret_cast<int16_t*>(data), n);
    hr = output->render->ReleaseBuffer(n, 0);
    if (FAILED(hr))
        return hr;
    if (outputTrace)
        outputTrace(n, queued);
    return S_OK;
}

void releaseDevice(WasapiOutput* output)
{
    release(output->render);
    release(output->client);
    release(output->endpoint);
    CoTaskMemFree(output->endpointId);
    output->endpointId = nullptr;
}

// Gives up the device. What it held unplayed goes to the next device: as far
// as it still answers, exactly; otherwise from the last count it gave. Called
// with the lock held.
void loseDevice(WasapiOutput* output)
{
    output->client->Stop();
    UINT32 queued = 0;
    if (SUCCEEDED(output->client->GetCurrentPadding(&queued)))
        markPcmRingQueued(&output->ring, queued);
    rewindPcmRing(&output->ring, size_t(output->ring.sent - output->ring.played));
    releaseDevice(output);
    output->running = false;
    output->lost = true;
    output->retryAt = GetTickCount();
}

// Starts the device with what is decoded; a device that refuses is lost.
// Called with the lock held.
void startPlaying(WasapiOutput* output)
{
    // Whatever is decoded goes to the device before it starts, so the first
    // sample is heard as soon as the engine takes it.
    HRESULT hr = topUp(output);
    if (SUCCEEDED(hr))
        hr = output->client->Start();
    if (FAILED(hr))
        loseDevice(output);
    else
        output->running = true;
}

bool initialiseClient(WasapiOutput* output, int sampleRate)
{
    WAVEFORMATEX format = {};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 2;
    format.nSamplesPerSec = DWORD(sampleRate);
    format.wBitsPerSample = 16;
    format.nBlockAlign = 4;
    format.nAvgBytesPerSec = format.nSamplesPerSec * format.nBlockAlign;
    REFERENCE_TIME duration = REFERENCE_TIME(wasapiQueueMs) * hundredNsPerMs;
    // The engine converts the rate itself where it can; older systems refuse
    // the flags, and then only take their own mix format.
    DWORD convert = AUDCLNT_STREAMFLAGS_AUTOCONVERTPCM | AUDCLNT_STREAMFLAGS_SRC_DEFAULT_QUALITY;
    HRESULT hr = output->client->Initialize(AUDCLNT_SHAREMODE_SHARED,
                                            AUDCLNT_STREAMFLAGS_NOPERSIST | convert, duration, 0,
                                            &format, nullptr);
    if (hr == E_INVALIDARG)
        hr = output->client->Initialize(AUDCLNT_SHAREMODE_SHARED, AUDCLNT_STREAMFLAGS_NOPERSIST,
                                        duration, 0, &format, nullptr);
    return SUCCEEDED(hr);
}

// The default render endpoint with a started-up client for 16-bit stereo at
// `sampleRate`. On failure nothing is kept.
bool openDevice(WasapiOutput* output, int sampleRate)
{
    IMMDeviceEnumerator* devices = nullptr;
    bool ok = SUCCEEDED(CoCreateInstance(__uuidof(MMDeviceEnumerator), nullptr, CLSCTX_ALL,
                                         __uuidof(IMMDeviceEnumerator),
                                         reinterpret_cast<void**>(&devices)));
    ok = ok && SUCCEEDED(devices->GetDefaultAudioEndpoint(eRender, eConsole, &output->endpoint));
    release(devices);
    ok = ok && SUCCEEDED(output->endpoint->GetId(&output->endpointId));
    ok = ok && SUCCEEDED(output->endpoint->Activate(__uuidof(IAudioClient), CLSCTX_ALL, nullptr,
                                                     reinterpret_cast<void**>(&output->client)));
    ok = ok && initialiseClient(output, sampleRate);
    ok = ok && SUCCEEDED(output->client->GetBufferSize(&output->deviceFrames));
    ok = ok && SUCCEEDED(output->client->GetService(__uuidof(IAudioRenderClient),
                                                     reinterpret_cast<void**>(&output->render)));
    if (!ok)
        releaseDevice(output);
    return ok;
}

// The id of the system's default device, null when there is none.
WCHAR* defaultDeviceId(IMMDeviceEnumerator* devices)
{
    IMMDevice* current = nullptr;
    WCHAR* id = nullptr;
    if (devices && SUCCEEDED(devices->GetDefaultAudioEndpoint(eRender, eConsole, &current)))
        current->GetId(&id);
    release(current);
    return id;
}

// Looks for a device again: the one given up when the default changed, or
// after a loss whichever the system has now. Runs on the refill thread; the
// main thread keeps the lock only while the new device is put in place.
void reopenDevice(WasapiOutput* output)
{
    WasapiOutput fresh = {};
    bool absent = output->absentUntil != 0 && !tickReached(output->absentUntil);
    bool ok = !absent && openDevice(&fresh, output->sampleRate);
    EnterCriticalSection(&output->lock);
    if (ok) {
        output->endpoint = fresh.endpoint;
        output->endpointId = fresh.endpointId;
        output->client = fresh.client;
        output->render = fresh.render;
        output->deviceFrames = fresh.deviceFrames;
        output->lost = false;
        if (!output->paused && output->source)
            startPlaying(output);
    } else {
        output->retryAt = GetTickCount() + wasapiRetryMs;
    }
    LeaveCriticalSection(&output->lock);
}

// Reads SNOWGIG_SOUND_DEVICE_LOSS (see the header).
void readPlantedLoss(WasapiOutput* output, int sampleRate)
{
    char value[32];
    DWORD n = GetEnvironmentVariableA("SNOWGIG_SOUND_DEVICE_LOSS", value, sizeof value);
    unsigned atMs = 0, absentMs = 0;
    if (n == 0 || n >= sizeof value || std::sscanf(value, "%u,%u", &atMs, &absentMs) < 1)
        return;
    output->lossAtFrame = uint64_t(atMs) * uint64_t(sampleRate) / 1000 + 1;
    output->absentMs = absentMs;
}

DWORD WINAPI feedOutput(void* parameter)
{
    WasapiOutput* output = static_cast<WasapiOutput*>(parameter);
    HRESULT com = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    IMMDeviceEnumerator* devices = nullptr;
    CoCreateInstance(__uuidof(MMDeviceEnumerator), nullptr, CLSCTX_ALL,
                     __uuidof(IMMDeviceEnumerator), reinterpret_cast<void**>(&devices));
    DWORD nextDefaultCheck = GetTickCount() + wasapiDefaultCheckMs;
    while (!output->stopping) {
        if (output->lost && tickReached(output->retryAt))
            reopenDevice(output);
        // Another default device (headphones plugged in, a choice in the
        // system's settings): the music moves to it.
        WCHAR* defaultId = nullptr;
        if (tickReached(nextDefaultCheck)) {
            nextDefaultCheck = GetTickCount() + wasapiDefaultCheckMs;
            defaultId = defaultDeviceId(devices);
        }
        EnterCriticalSection(&output->lock);
        if (defaultId && !output->lost && output->endpointId &&
            lstrcmpW(defaultId, output->endpointId) != 0)
            loseDevice(output);
        CoTaskMemFree(defaultId);
        if (output->running && FAILED(topUp(output)))
            loseDevice(output);
        size_t space = pcmRingSpace(output->ring);
        LeaveCriticalSection(&output->lock);
        // Decoding writes only the ring's free room, which nobody else reads.
        while (space > 0 && !output->stopping && !output->source->ended) {
            size_t chunk = space < 4096 ? space : 4096;
            EnterCriticalSection(&output->lock);
            PcmRing room = output->ring;
            LeaveCriticalSection(&output->lock);
            size_t got = fillPcmRing(&room, output->source, chunk);
            EnterCriticalSection(&output->lock);
            output->ring.decoded += got;
            space = pcmRingSpace(output->ring);
            LeaveCriticalSection(&output->lock);
            if (got < chunk)
                break;
        }
        WaitForSingleObject(output->wake, wasapiRefillMs);
    }
    release(devices);
    if (SUCCEEDED(com))
        CoUninitialize();
    return 0;
}

}  // namespace

// The one device of this kind the library opens.
static WasapiOutput wasapi;

bool openWasapiOutput(int sampleRate)
{
    WasapiOutput* output = &wasapi;
    std::memset(output, 0, sizeof *output);
    HRESULT com = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    // A caller with a single-threaded apartment of its own keeps it.
    output->comInitialised = SUCCEEDED(com);
    if (FAILED(com) && com != RPC_E_CHANGED_MODE)
        return false;

    bool ok = openDevice(output, sampleRate);
    // The ring holds what the device holds plus as much again decoded ahead.
    ok = ok && openPcmRing(&output->ring, 2 * size_t(output->deviceFrames));
    if (ok) {
        output->wake = CreateEventA(nullptr, FALSE, FALSE, nullptr);
        ok = output->wake != nullptr;
    }
    if (!ok) {
        closeWasapiOutput();
        return false;
    }
    InitializeCriticalSection(&output->lock);
    output->lockReady = true;
    output->sampleRate = sampleRate;
    readPlantedLoss(output, sampleRate);
    return true;
}

void closeWasapiOutput()
{
    WasapiOutput* output = &wasapi;
    stopWasapiOutput();
    releaseDevice(output);
    closePcmRing(&output->ring);
    if (output->wake)
        CloseHandle(output->wake);
    if (output->lockReady)
        DeleteCriticalSection(&output->lock);
    if (output->comInitialised)
        CoUninitialize();
    std::memset(output, 0, sizeof *output);
}

bool startWasapiOutput(PcmSource* source, bool paused)
{
    WasapiOutput* output = &wasapi;
    stopWasapiOutput();
    EnterCriticalSection(&output->lock);
    output->ring.played = output->ring.sent = output->ring.decoded = 0;
    output->source = source;
    output->paused = true;
    LeaveCriticalSection(&output->lock);
    output->stopping = 0;
    output->worker = startFeederThread(feedOutput, output);
    if (!output->worker) {
        output->source = nullptr;
        return false;
    }
    if (!paused)
        pauseWasapiOutput(false);
    return true;
}

void stopWasapiOutput()
{
    WasapiOutput* output = &wasapi;
    stopFeederThread(output->worker, &output->stopping, output->wake);
    if (output->client) {
        output->client->Stop();
        output->client->Reset();
    }
    output->running = false;
    output->source = nullptr;
}

void pauseWasapiOutput(bool paused)
{
    WasapiOutput* output = &wasapi;
    if (!output->lockReady)
        return;
    EnterCriticalSection(&output->lock);
    if (output->lost) {
        // Nothing plays; the device found next starts as the channel is then.
    } else if (paused && output->running) {
        output->client->Stop();
        UINT32 queued = 0;
        output->client->GetCurrentPadding(&queued);
        output->client->Reset();
        rewindPcmRing(&output->ring, queued);
        output->running = false;
    } else if (!paused && !output->running && output->source) {
        startPlaying(output);
    }
    output->paused = paused;
    LeaveCriticalSection(&output->lock);
    if (!paused)
        SetEvent(output->wake);
}

const SoundOutputWay wasapiOutputWay = {"wasapi", openWasapiOutput, closeWasapiOutput,
    startWasapiOutput, stopWasapiOutput, pauseWasapiOutput};
