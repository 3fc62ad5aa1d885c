// The system's shared audio engine (WASAPI) with a deep queue: about a second
// of sound is handed to the device ahead of time by a refill thread of our
// own, so that neither our thread nor one of the system's being held up for a
// few hundred milliseconds is heard.
#ifndef SNOWGIG_WASAPIOUTPUT_H
#define SNOWGIG_WASAPIOUTPUT_H

#include "soundplatform.h"

extern const SoundOutputWay wasapiOutputWay;

#endif
