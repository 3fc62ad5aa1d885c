// The desktop's sound server through PulseAudio's own client library (PipeWire
// serves the same protocol). The server holds about a second of the tune ahead
// of the speakers, so a late thread of ours, or a busy machine, costs nothing
// heard; pause and unpause cork and uncork that buffer, so a pause is heard at
// once and the tune goes on from the very next sample, without waiting for the
// buffer to drain or refill.
#ifndef SNOWGIG_PULSEOUTPUT_H
#define SNOWGIG_PULSEOUTPUT_H

#include "soundplatform.h"

extern const SoundOutputWay pulseOutputWay;

#endif
