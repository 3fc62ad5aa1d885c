// The demo's tune: read from the pack into memory and played by the sound
// library as a looping stream that starts paused.
#ifndef SNOWGIG_MUSIC_H
#define SNOWGIG_MUSIC_H

#include "../sound/fmod.h"

extern unsigned char* musicData;
extern FSOUND_STREAM* musicStream;
extern int musicChannel;

const char* fmodErrorText(int code);

// Checks the library version, initialises it, reads the tune and starts it
// paused. Shows its own message and returns false on any failure.
bool startMusic();
// Stops the stream, shuts the library down and frees the tune (each if present).
void stopMusic();

#endif
