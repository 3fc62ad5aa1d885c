#include "music.h"

#include <cstdio>
#include <cstdlib>

#include "../common/reporterror.h"
#include "pack.h"

unsigned char* musicData = nullptr;
FSOUND_STREAM* musicStream = nullptr;
int musicChannel = -1;

namespace {

const char* const tuneName = "data/gimme_64k.mp3";
const float requiredVersion = 3.71f;

const char* const errorTexts[] = {
    "No errors",
    "Cannot call this command after FSOUND_Init.  Call FSOUND_Close first.",
    "This command failed because FSOUND_Init was not called",
    "Error initializing output device.",
    "The output device is already in use and cannot be reused.",
    "Playing the sound failed.",
    "Soundcard does not support the features needed for this soundsystem (16bit stereo output)",
    "Error setting cooperative level for hardware.",
    "Error creating hardware sound buffer.",
    "File not found",
    "Unknown file format",
    "Error loading file",
    "Not enough memory ",
    "The version number of this file format is not supported",
    "An invalid parameter was passed to this function",
    "Tried to use an EAX command on a non EAX enabled channel or output.",
    "Failed to allocate a new channel",
    "Recording not supported on this device",
    "Required Mediaplayer codec is not installed",
};

// Reads the whole tune into musicData; false (reported) when the pack has no
// such entry or cannot give all of it. Returns its size through `size`.
bool readTune(int32_t* size)
{
    PackStream* stream = packOpen(tuneName, "rb");
    if (!stream) {
        reportError(false, "Couldn't find %s in the data file.\n", tuneName);
        return false;
    }
    int32_t bytes = stream->entry->size;
    if (bytes <= 0) {
        packClose(stream);
        reportError(false, "%s in the data file is empty.\n", tuneName);
        return false;
    }
    musicData = static_cast<unsigned char*>(std::malloc(size_t(bytes)));
    if (!musicData) {
        packClose(stream);
        reportError(false, "Not enough memory for %s.\n", tuneName);
        return false;
    }
    int got = packRead(musicData, 1, bytes, stream);
    packClose(stream);
    if (got != bytes) {
        std::free(musicData);
        musicData = nullptr;
        reportError(false, "Couldn't read %s from the data file.\n", tuneName);
        return false;
    }
    *size = bytes;
    return true;
}

}  // namespace

const char* fmodErrorText(int code)
{
    if (code < 0 || code >= int(sizeof errorTexts / sizeof errorTexts[0]))
        return "Unknown error";
    return errorTexts[code];
}

bool startMusic()
{
    if (FSOUND_GetVersion() < requiredVersion) {
        reportError(false, "Wrong FMOD DLL version!  You need %.02f.\n", double(requiredVersion));
        return false;
    }
    if (!FSOUND_Init(44100, 32, 0)) {
        reportError(false, "Couldn't init FMOD!  FMOD reports: %s\n",
                    fmodErrorText(FSOUND_GetError()));
        FSOUND_Close();
        return false;
    }
    int32_t size = 0;
    if (!readTune(&size)) {
        FSOUND_Close();
        return false;
    }
    musicStream = FSOUND_Stream_Open(reinterpret_cast<const char*>(musicData),
                                     FSOUND_LOOP_NORMAL | FSOUND_NORMAL | FSOUND_LOADMEMORY |
                                         FSOUND_MPEGACCURATE,
                                     0, size);
    if (!musicStream) {
        std::printf("Error!\n");
        std::fflush(stdout);
        reportError(false, "Couldn't load %s!  FMOD reports: %s\n", tuneName,
                    fmodErrorText(FSOUND_GetError()));
        FSOUND_Close();
        return false;
    }
    musicChannel = FSOUND_Stream_PlayEx(FSOUND_FREE, musicStream, nullptr, 1);
    return true;
}

void stopMusic()
{
    if (musicStream) {
        FSOUND_Stream_Close(musicStream);
        musicStream = nullptr;
        FSOUND_Close();
    }
    std::free(musicData);
    musicData = nullptr;
}
