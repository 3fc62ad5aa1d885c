// The show's tune as the sound library plays it: read from the pack, decoded
// as one endless stream with the encoder's delay and padding cut away, so that
// it loops without a gap.
#ifndef SNOWGIG_VIDEO_TUNE_H
#define SNOWGIG_VIDEO_TUNE_H

#include <cstddef>
#include <cstdint>

const int tuneSampleRate = 44100;

// Reads `name` from the open pack and gets it ready to play from its start.
// Says on stderr what failed and returns false.
bool openTune(const char* name);
// Fills `stereo` with the next `frames` sample frames (interleaved stereo) and
// returns how many came; fewer only when the decoder fails.
size_t readTune(int16_t* stereo, size_t frames);
void closeTune();

#endif
