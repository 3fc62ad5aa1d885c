// The system's wave output, fed from a PcmSource by a worker thread through a
// few buffers that the device hands back as it plays them.
#ifndef SNOWGIG_WAVEOUTPUT_H
#define SNOWGIG_WAVEOUTPUT_H

#include "soundplatform.h"

extern const SoundOutputWay waveOutputWay;

#endif
