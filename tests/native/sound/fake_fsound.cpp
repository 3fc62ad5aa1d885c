#include <cstdio>

#include "fakes.h"
#include "fmod.h"

FakeSound fakeSound;

namespace {

FSOUND_STREAM* const fakeStream = reinterpret_cast<FSOUND_STREAM*>(0x5151);

void record(const char* format, long a = 0, long b = 0, long c = 0)
{
    char line[128];
    std::snprintf(line, sizeof line, format, a, b, c);
    fakeSound.calls.push_back(line);
}

}  // namespace

extern "C" {

float FSOUND_GetVersion(void)
{
    record("GetVersion");
    return fakeSound.version;
}

signed char FSOUND_Init(int mixRate, int maxSoftwareChannels, unsigned int flags)
{
    record("Init %ld %ld %ld", mixRate, maxSoftwareChannels, long(flags));
    return fakeSound.initSucceeds ? 1 : 0;
}

int FSOUND_GetError(void)
{
    record("GetError");
    return fakeSound.errorCode;
}

void FSOUND_Close(void)
{
    record("Close");
}

FSOUND_STREAM* FSOUND_Stream_Open(const char* data, unsigned int mode, int offset, int length)
{
    record("Stream_Open %#lx %ld %ld", long(mode), offset, length);
    fakeSound.openedBytes.assign(data, data + length);
    return fakeSound.openSucceeds ? fakeStream : nullptr;
}

int FSOUND_Stream_PlayEx(int channel, FSOUND_STREAM* stream, FSOUND_DSPUNIT* dsp,
                         signed char startPaused)
{
    record("Stream_PlayEx %ld %ld %ld", channel,
           long(stream == fakeStream) + 2 * long(dsp != nullptr), startPaused);
    return fakeSound.channel;
}

signed char FSOUND_Stream_Close(FSOUND_STREAM* stream)
{
    record("Stream_Close %ld", long(stream == fakeStream));
    return 1;
}

signed char FSOUND_SetPaused(int channel, signed char paused)
{
    record("SetPaused %ld %ld", channel, paused);
    return 1;
}

}  // extern "C"
