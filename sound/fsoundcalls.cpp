// The library's calls: argument checks, the order of calls, the open streams
// and the error code of the last failure. All calls come from one thread; the
// decoder and the platform's output (soundplatform.h) do the rest, decoding on the
// output's own thread.
#include "fmod.h"

#include <new>

#include "soundplatform.h"

#ifndef SNOWGIG_FSOUND_VERSION
#define SNOWGIG_FSOUND_VERSION 3.75f
#endif

struct FSOUND_STREAM {
    Mp3Layout layout;
    StreamDecoder* decoder;
    PcmSource source;
    bool loop;
};

namespace {

const int maxStreams = 16;

int lastError = FMOD_ERR_NONE;
bool initialised = false;
int mixRate = 0;
int channelCount = 0;
// Every open stream, so that each call can tell a handle of ours from any
// other pointer.
FSOUND_STREAM* streams[maxStreams];
FSOUND_STREAM* playingStream = nullptr;
int playingChannel = -1;

template <typename T>
T fail(int code, T result)
{
    lastError = code;
    return result;
}

FSOUND_STREAM* failStream(int code)
{
    return fail(code, static_cast<FSOUND_STREAM*>(nullptr));
}

int streamSlot(const FSOUND_STREAM* stream)
{
    for (int i = 0; i < maxStreams; ++i) {
        if (stream && streams[i] == stream)
            return i;
    }
    return -1;
}

void stopPlaying()
{
    if (!playingStream)
        return;
    stopSoundOutput();
    playingStream = nullptr;
    playingChannel = -1;
}

void destroyStream(FSOUND_STREAM* stream)
{
    if (stream == playingStream)
        stopPlaying();
    closeStreamDecoder(stream->decoder, &stream->source);
    streams[streamSlot(stream)] = nullptr;
    delete stream;
}

}  // namespace

extern "C" {

float FSOUND_GetVersion(void)
{
    return SNOWGIG_FSOUND_VERSION;
}

signed char FSOUND_Init(int rate, int maxSoftwareChannels, unsigned int flags)
{
    (void)flags;
    if (initialised)
        return fail(FMOD_ERR_BUSY, 0);
    if (rate < 8000 || rate > 192000 || maxSoftwareChannels < 1 || maxSoftwareChannels > 1024)
        return fail(FMOD_ERR_INVALID_PARAM, 0);
    if (!openSoundOutput(rate))
        return fail(FMOD_ERR_INIT, 0);
    initialised = true;
    mixRate = rate;
    channelCount = maxSoftwareChannels;
    return 1;
}

int FSOUND_GetError(void)
{
    return lastError;
}

void FSOUND_Close(void)
{
    if (!initialised)
        return;
    for (int i = 0; i < maxStreams; ++i) {
        if (streams[i])
            destroyStream(streams[i]);
    }
    closeSoundOutput();
    initialised = false;
}

FSOUND_STREAM* FSOUND_Stream_Open(const char* nameOrData, unsigned int mode, int offset,
                                  int length)
{
    if (!initialised)
        return failStream(FMOD_ERR_UNINITIALIZED);
    if (!nameOrData || !(mode & FSOUND_LOADMEMORY) || offset < 0 || length <= 0 ||
        offset >= length)
        return failStream(FMOD_ERR_INVALID_PARAM);
    int slot = -1;
    for (int i = 0; i < maxStreams && slot < 0; ++i) {
        if (!streams[i])
            slot = i;
    }
    if (slot < 0)
        return failStream(FMOD_ERR_MEMORY);

    const uint8_t* data = reinterpret_cast<const uint8_t*>(nameOrData) + offset;
    Mp3Layout layout;
    if (!scanMp3Layout(data, size_t(length - offset), &layout))
        return failStream(FMOD_ERR_FILE_FORMAT);

    FSOUND_STREAM* stream = new (std::nothrow) FSOUND_STREAM();
    if (!stream)
        return failStream(FMOD_ERR_MEMORY);
    stream->layout = layout;
    stream->loop = (mode & FSOUND_LOOP_NORMAL) != 0;
    StreamDecoderResult opened = openStreamDecoder(&stream->decoder, &stream->source, data,
                                                   layout, stream->loop);
    if (opened != STREAM_DECODER_OK) {
        delete stream;
        return failStream(opened == STREAM_DECODER_NO_CODEC ? FMOD_ERR_MEDIAPLAYER
                                                            : FMOD_ERR_MEMORY);
    }
    streams[slot] = stream;
    return stream;
}

int FSOUND_Stream_PlayEx(int channel, FSOUND_STREAM* stream, FSOUND_DSPUNIT* dsp,
                         signed char startPaused)
{
    if (!initialised)
        return fail(FMOD_ERR_UNINITIALIZED, -1);
    if (streamSlot(stream) < 0 || dsp || channel < FSOUND_FREE || channel >= channelCount)
        return fail(FMOD_ERR_INVALID_PARAM, -1);
    if (playingStream == stream)
        return fail(FMOD_ERR_PLAY, -1);
    // One stream plays at a time, on the one output.
    if (playingStream)
        return fail(FMOD_ERR_CHANNEL_ALLOC, -1);

    int rate = stream->layout.format.sampleRate;
    if (rate != soundOutputRate()) {
        closeSoundOutput();
        if (!openSoundOutput(rate) && !openSoundOutput(mixRate))
            return fail(FMOD_ERR_INIT, -1);
        if (soundOutputRate() != rate)
            return fail(FMOD_ERR_OUTPUT_FORMAT, -1);
    }
    if (!startSoundOutput(&stream->source, startPaused != 0))
        return fail(FMOD_ERR_PLAY, -1);
    playingStream = stream;
    playingChannel = channel == FSOUND_FREE ? 0 : channel;
    return playingChannel;
}

signed char FSOUND_Stream_Close(FSOUND_STREAM* stream)
{
    if (!initialised)
        return fail(FMOD_ERR_UNINITIALIZED, 0);
    if (streamSlot(stream) < 0)
        return fail(FMOD_ERR_INVALID_PARAM, 0);
    destroyStream(stream);
    return 1;
}

signed char FSOUND_SetPaused(int channel, signed char paused)
{
    if (!initialised)
        return fail(FMOD_ERR_UNINITIALIZED, 0);
    if (!playingStream || channel != playingChannel)
        return fail(FMOD_ERR_INVALID_PARAM, 0);
    bool pause = paused != 0;
    if (pause != soundOutputPaused())
        pauseSoundOutput(pause);
    return 1;
}

}  // extern "C"
