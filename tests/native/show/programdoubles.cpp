#include "programdoubles.h"

#include "media.h"
#include "music.h"
#include "scene.h"

#include <cstdio>

int musicChannel = 7;

int cleanupCalls = 0;
int pauseCallCount = 0;
PauseCall lastPauseCall = {0, 0};

void resetProgramDoubles()
{
    cleanupCalls = 0;
    pauseCallCount = 0;
    lastPauseCall = PauseCall{0, 0};
}

// Says on stderr that it ran and what the scene clock read, so that a test
// watching the process end can see it.
int cleanup()
{
    ++cleanupCalls;
    std::fprintf(stderr, "cleanup ran, startTimer=%g\n", startTimer);
    return 0;
}

extern "C" signed char FSOUND_SetPaused(int channel, signed char paused)
{
    ++pauseCallCount;
    lastPauseCall = PauseCall{channel, paused};
    return 1;
}
