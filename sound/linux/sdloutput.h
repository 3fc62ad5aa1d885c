// The default audio device through SDL, fed from a PcmSource. A worker thread
// decodes into a ring of samples that it keeps full, about 740 ms ahead of
// the device at 44.1 kHz, so that a busy main thread cannot make the sound run
// dry; SDL's audio thread only copies out of the ring, a short device buffer
// at a time, so that a pause is heard at once.
#ifndef SNOWGIG_SDLOUTPUT_H
#define SNOWGIG_SDLOUTPUT_H

#include "soundplatform.h"

extern const SoundOutputWay sdlOutputWay;

#endif
