#include "waveoutput.h"

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

#include <cstdlib>
#include <cstring>

#include "feederthread.h"
#include "outputtrace.h"

namespace {

const DWORD bufferBytes = outputBufferFrames * 2 * sizeof(int16_t);
const DWORD workerPollMs = 50;

DWORD WINAPI feedOutput(void* parameter)
{
    WaveOutput* output = static_cast<WaveOutput*>(parameter);
    while (!output->stopping) {
        for (int i = 0; i < outputBufferCount && !output->stopping; ++i) {
            WAVEHDR* header = &output->headers[i];
            if (header->dwFlags & WHDR_INQUEUE)
                continue;
            if (output->source->ended)
                break;
            int16_t* samples = reinterpret_cast<int16_t*>(header->lpData);
            size_t got = readPcm(output->source, samples, outputBufferFrames);
            if (got == 0)
                break;
            if (got < size_t(outputBufferFrames))
                std::memset(samples + 2 * got, 0, (outputBufferFrames - got) * 2 * sizeof(int16_t));
            header->dwFlags &= ~WHDR_DONE;
            if (outputTrace) {
                unsigned queued = 0;
                for (int j = 0; j < outputBufferCount; ++j) {
                    if (output->headers[j].dwFlags & WHDR_INQUEUE)
                        queued += outputBufferFrames;
                }
                outputTrace(outputBufferFrames, queued);
            }
            waveOutWrite(output->device, header, sizeof *header);
        }
        WaitForSingleObject(output->bufferDone, workerPollMs);
    }
    return 0;
}

}  // namespace

// The one device of this kind the library opens.
static WaveOutput waveOut;

bool openWaveOutput(int sampleRate)
{
    WaveOutput* output = &waveOut;
    std::memset(output, 0, sizeof *output);
    if (waveOutGetNumDevs() == 0)
        return false;
    output->bufferDone = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    output->samples = static_cast<int16_t*>(std::malloc(size_t(bufferBytes) * outputBufferCount));
    if (!output->bufferDone || !output->samples) {
        closeWaveOutput();
        return false;
    }

    WAVEFORMATEX format = {};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 2;
    format.nSamplesPerSec = DWORD(sampleRate);
    format.wBitsPerSample = 16;
    format.nBlockAlign = 4;
    format.nAvgBytesPerSec = format.nSamplesPerSec * format.nBlockAlign;
    if (waveOutOpen(&output->device, WAVE_MAPPER, &format, DWORD_PTR(output->bufferDone), 0,
                    CALLBACK_EVENT) != MMSYSERR_NOERROR) {
        output->device = nullptr;
        closeWaveOutput();
        return false;
    }
    output->sampleRate = sampleRate;
    for (int i = 0; i < outputBufferCount; ++i) {
        WAVEHDR* header = &output->headers[i];
        header->lpData = reinterpret_cast<LPSTR>(output->samples) + size_t(i) * bufferBytes;
        header->dwBufferLength = bufferBytes;
        if (waveOutPrepareHeader(output->device, header, sizeof *header) != MMSYSERR_NOERROR) {
            closeWaveOutput();
            return false;
        }
    }
    return true;
}

void closeWaveOutput()
{
    WaveOutput* output = &waveOut;
    stopWaveOutput();
    if (output->device) {
        for (int i = 0; i < outputBufferCount; ++i) {
            if (output->headers[i].dwFlags & WHDR_PREPARED)
                waveOutUnprepareHeader(output->device, &output->headers[i], sizeof(WAVEHDR));
        }
        waveOutClose(output->device);
    }
    if (output->bufferDone)
        CloseHandle(output->bufferDone);
    std::free(output->samples);
    std::memset(output, 0, sizeof *output);
}

bool startWaveOutput(PcmSource* source, bool paused)
{
    WaveOutput* output = &waveOut;
    stopWaveOutput();
    pauseWaveOutput(paused);
    output->source = source;
    output->stopping = 0;
    output->worker = startFeederThread(feedOutput, output);
    if (!output->worker) {
        output->source = nullptr;
        return false;
    }
    return true;
}

void stopWaveOutput()
{
    WaveOutput* output = &waveOut;
    stopFeederThread(output->worker, &output->stopping, output->bufferDone);
    if (output->device)
        waveOutReset(output->device);
    output->source = nullptr;
}

void pauseWaveOutput(bool paused)
{
    WaveOutput* output = &waveOut;
    if (paused)
        waveOutPause(output->device);
    else
        waveOutRestart(output->device);
    output->paused = paused;
}

const SoundOutputWay waveOutputWay = {"waveout", openWaveOutput, closeWaveOutput,
    startWaveOutput, stopWaveOutput, pauseWaveOutput};
