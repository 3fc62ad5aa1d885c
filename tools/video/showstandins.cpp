#include "showstandins.h"

#include "media.h"
#include "music.h"

bool tunePlaying = false;

// The channel the sound library gives the stream, started paused.
int musicChannel = 1;

extern "C" signed char FSOUND_SetPaused(int channel, signed char paused)
{
    if (channel == musicChannel)
        tunePlaying = paused == 0;
    return 1;
}

int cleanup()
{
    return 0;
}
