// The worker thread that feeds a sound output from its PcmSource.
#ifndef SNOWGIG_FEEDERTHREAD_H
#define SNOWGIG_FEEDERTHREAD_H

#include <windows.h>

// Starts `feed(parameter)` at time-critical priority: the show's frame loop
// takes every cycle it can get, and the feeder must win against it, or the
// output runs dry and the tune stutters. Null when no thread could be made.
HANDLE startFeederThread(LPTHREAD_START_ROUTINE feed, void* parameter);

// Tells the feeder to stop (sets `stopping`, signals `wake`) and waits for it.
// The feeder only ever waits for the device or decodes one buffer, so it ends
// quickly; should it not, it must not go on reading the stream. Sets `worker`
// to null.
void stopFeederThread(HANDLE& worker, volatile LONG* stopping, HANDLE wake);

#endif
