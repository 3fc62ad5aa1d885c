// The threads that hand samples to the sound server must never wait behind the
// show's drawing threads.
#ifndef SNOWGIG_SOUNDTHREAD_H
#define SNOWGIG_SOUNDTHREAD_H

// Gives the calling thread real-time scheduling where the system grants it,
// else the highest nice level it allows, else leaves it as it is.
void raiseSoundThread();

#endif
