// The page's sound through Web Audio, fed from a PcmSource on the page's one
// thread: a timer tops the queue up to about three quarters of a second ahead
// of what the page's AudioContext plays, in chunks of AudioBufferSourceNodes
// placed end to end on its clock, so the loop stays seamless. Only the queued
// chunks are held, whatever the tune's length. A pause suspends the context,
// which is silent at once and carries on from the same sample.
#ifndef SNOWGIG_WEBAUDIOOUTPUT_H
#define SNOWGIG_WEBAUDIOOUTPUT_H

#include "soundplatform.h"

extern const SoundOutputWay webAudioOutputWay;

#endif
