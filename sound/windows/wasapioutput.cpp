#include "wasapioutput.h"

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

// Hands the device as much as it has room for. Called with the lock held.
void topUp(WasapiOutput* output)
{
    UINT32 queued = 0;
    if (FAILED(output->client->GetCurrentPadding(&queued)))
        return;
    markPcmRingQueued(&output->ring, queued);
    UINT32 room = output->deviceFrames - queued;
    size_t ready = pcmRingReady(output->ring);
    UINT32 n = ready < room ? UINT32(ready) : room;
    if (n == 0)
        return;
    BYTE* data = nullptr;
    if (FAILED(output->render->GetBuffer(n, &data)))
        return;
    sendPcmRing(&output->ring, reinterpret_cast<int16_t*>(data), n);
    output->render->ReleaseBuffer(n, 0);
    if (outputTrace)
        outputTrace(n, queued);
}

DWORD WINAPI feedOutput(void* parameter)
{
    WasapiOutput* output = static_cast<WasapiOutput*>(parameter);
    HRESULT com = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    while (!output->stopping) {
        EnterCriticalSection(&output->lock);
        if (output->running)
            topUp(output);
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
    if (SUCCEEDED(com))
        CoUninitialize();
    return 0;
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

}  // namespace

bool openWasapiOutput(WasapiOutput* output, int sampleRate)
{
    std::memset(output, 0, sizeof *output);
    HRESULT com = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    // A caller with a single-threaded apartment of its own keeps it.
    output->comInitialised = SUCCEEDED(com);
    if (FAILED(com) && com != RPC_E_CHANGED_MODE)
        return false;

    IMMDeviceEnumerator* devices = nullptr;
    bool ok = SUCCEEDED(CoCreateInstance(__uuidof(MMDeviceEnumerator), nullptr, CLSCTX_ALL,
                                         __uuidof(IMMDeviceEnumerator),
                                         reinterpret_cast<void**>(&devices)));
    ok = ok && SUCCEEDED(devices->GetDefaultAudioEndpoint(eRender, eConsole, &output->endpoint));
    release(devices);
    ok = ok && SUCCEEDED(output->endpoint->Activate(__uuidof(IAudioClient), CLSCTX_ALL, nullptr,
                                                     reinterpret_cast<void**>(&output->client)));
    ok = ok && initialiseClient(output, sampleRate);
    ok = ok && SUCCEEDED(output->client->GetBufferSize(&output->deviceFrames));
    ok = ok && SUCCEEDED(output->client->GetService(__uuidof(IAudioRenderClient),
                                                     reinterpret_cast<void**>(&output->render)));
    // The ring holds what the device holds plus as much again decoded ahead.
    ok = ok && openPcmRing(&output->ring, 2 * size_t(output->deviceFrames));
    if (ok) {
        output->wake = CreateEventA(nullptr, FALSE, FALSE, nullptr);
        ok = output->wake != nullptr;
    }
    if (!ok) {
        closeWasapiOutput(output);
        return false;
    }
    InitializeCriticalSection(&output->lock);
    output->lockReady = true;
    output->sampleRate = sampleRate;
    return true;
}

void closeWasapiOutput(WasapiOutput* output)
{
    stopWasapiOutput(output);
    release(output->render);
    release(output->client);
    release(output->endpoint);
    closePcmRing(&output->ring);
    if (output->wake)
        CloseHandle(output->wake);
    if (output->lockReady)
        DeleteCriticalSection(&output->lock);
    if (output->comInitialised)
        CoUninitialize();
    std::memset(output, 0, sizeof *output);
}

bool startWasapiOutput(WasapiOutput* output, PcmSource* source, bool paused)
{
    stopWasapiOutput(output);
    output->ring.played = output->ring.sent = output->ring.decoded = 0;
    output->source = source;
    output->paused = true;
    output->stopping = 0;
    output->worker = startFeederThread(feedOutput, output);
    if (!output->worker) {
        output->source = nullptr;
        return false;
    }
    if (!paused)
        pauseWasapiOutput(output, false);
    return true;
}

void stopWasapiOutput(WasapiOutput* output)
{
    stopFeederThread(output->worker, &output->stopping, output->wake);
    if (output->client) {
        output->client->Stop();
        output->client->Reset();
    }
    output->running = false;
    output->source = nullptr;
}

void pauseWasapiOutput(WasapiOutput* output, bool paused)
{
    if (!output->client)
        return;
    EnterCriticalSection(&output->lock);
    if (paused && output->running) {
        output->client->Stop();
        UINT32 queued = 0;
        output->client->GetCurrentPadding(&queued);
        output->client->Reset();
        rewindPcmRing(&output->ring, queued);
        output->running = false;
    } else if (!paused && !output->running && output->source) {
        // Whatever is decoded goes to the device before it starts, so the
        // first sample is heard as soon as the engine takes it.
        topUp(output);
        output->running = SUCCEEDED(output->client->Start());
    }
    output->paused = paused;
    LeaveCriticalSection(&output->lock);
    if (!paused)
        SetEvent(output->wake);
}
