// The sound without a device: nothing plays on its own; whoever runs the show
// takes each stretch of samples as it would have been heard (readMemoryOutput),
// and may have it written to a file as well. The output table's entry is all
// the library sees of it.
#ifndef SNOWGIG_MEMORYOUTPUT_H
#define SNOWGIG_MEMORYOUTPUT_H

#include <cstddef>
#include <cstdint>

#include "soundplatform.h"

extern const SoundOutputWay memoryOutputWay;

// Fills `stereo` with the next `frames` sample frames (16-bit interleaved
// stereo at the rate the output was opened at): the playing stream's, or
// silence while it is paused, stopped or not started. Returns how many came
// from the stream; fewer than `frames` while it plays only when its decoder
// failed or it ended.
size_t readMemoryOutput(int16_t* stereo, size_t frames);

// From the next read on, every sample read is also appended to `path` as raw
// 16-bit little-endian stereo (null: no more). False when the file cannot be
// made, after a message on standard error.
bool writeMemoryOutputTo(const char* path);

#endif
