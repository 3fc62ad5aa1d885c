// Stand-ins for the parts of the program that the show calls but that are not
// under test: the shutdown routine and the sound library's pause switch.
#ifndef SNOWGIG_TEST_PROGRAMDOUBLES_H
#define SNOWGIG_TEST_PROGRAMDOUBLES_H

struct PauseCall {
    int channel;
    signed char paused;
};

extern int cleanupCalls;
extern int pauseCallCount;
extern PauseCall lastPauseCall;

void resetProgramDoubles();

#endif
