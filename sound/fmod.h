/* The snowgig sound library: plays an MP3 held in memory as a looping stream
 * on the system's sound output, decoding with libmpg123 (built in). */
#ifndef SNOWGIG_FMOD_H
#define SNOWGIG_FMOD_H

#if defined(_WIN32)
#  if defined(FSOUND_BUILDING_LIBRARY)
#    define FSOUND_API __declspec(dllexport)
#  else
#    define FSOUND_API __declspec(dllimport)
#  endif
#else
#  define FSOUND_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

typedef struct FSOUND_STREAM FSOUND_STREAM;
typedef struct FSOUND_DSPUNIT FSOUND_DSPUNIT;

/* Channel number that asks the library to pick a free channel. */
#define FSOUND_FREE (-1)

/* Stream and sample modes. */
#define FSOUND_LOOP_NORMAL  0x00000002
#define FSOUND_16BITS       0x00000010
#define FSOUND_MONO         0x00000020
#define FSOUND_SIGNED       0x00000100
#define FSOUND_NORMAL       (FSOUND_16BITS | FSOUND_SIGNED | FSOUND_MONO)
#define FSOUND_LOADMEMORY   0x00008000
#define FSOUND_MPEGACCURATE 0x00020000

/* Error codes reported by FSOUND_GetError. */
enum {
    FMOD_ERR_NONE = 0,
    FMOD_ERR_BUSY = 1,
    FMOD_ERR_UNINITIALIZED = 2,
    FMOD_ERR_INIT = 3,
    FMOD_ERR_ALLOCATED = 4,
    FMOD_ERR_PLAY = 5,
    FMOD_ERR_OUTPUT_FORMAT = 6,
    FMOD_ERR_COOPERATIVELEVEL = 7,
    FMOD_ERR_CREATEBUFFER = 8,
    FMOD_ERR_FILE_NOTFOUND = 9,
    FMOD_ERR_FILE_FORMAT = 10,
    FMOD_ERR_FILE_BAD = 11,
    FMOD_ERR_MEMORY = 12,
    FMOD_ERR_VERSION = 13,
    FMOD_ERR_INVALID_PARAM = 14,
    FMOD_ERR_NO_EAX = 15,
    FMOD_ERR_CHANNEL_ALLOC = 16,
    FMOD_ERR_RECORD = 17,
    FMOD_ERR_MEDIAPLAYER = 18
};

FSOUND_API float FSOUND_GetVersion(void);
/* Non-zero on success. */
FSOUND_API signed char FSOUND_Init(int mixRate, int maxSoftwareChannels, unsigned int flags);
FSOUND_API int FSOUND_GetError(void);
FSOUND_API void FSOUND_Close(void);

/* With FSOUND_LOADMEMORY, nameOrData points at the file's bytes and length is
 * their count; the block must stay valid until FSOUND_Stream_Close. */
FSOUND_API FSOUND_STREAM* FSOUND_Stream_Open(const char* nameOrData, unsigned int mode,
                                             int offset, int length);
/* Returns the channel the stream plays on, or -1 on failure. */
FSOUND_API int FSOUND_Stream_PlayEx(int channel, FSOUND_STREAM* stream, FSOUND_DSPUNIT* dsp,
                                    signed char startPaused);
FSOUND_API signed char FSOUND_Stream_Close(FSOUND_STREAM* stream);
FSOUND_API signed char FSOUND_SetPaused(int channel, signed char paused);

#ifdef __cplusplus
}
#endif

#endif
