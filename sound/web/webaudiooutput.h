// The page's sound through Web Audio, fed from a PcmSource on the page's one
// thread: a timer tops the queue up to about three quarters of a second ahead
// of what the page's AudioContext plays, in chunks of AudioBufferSourceNodes
// placed end to end on its clock, so the loop stays seamless. Only the queued
// chunks are held, whatever the tune's length. A pause suspends the context,
// which is silent at once and carries on from the same sample.
#ifndef SNOWGIG_WEBAUDIOOUTPUT_H
#define SNOWGIG_WEBAUDIOOUTPUT_H

#include <cstdint>

#include "pcmsource.h"

const int webChunkFrames = 4096;      // sample frames per queued chunk: about 93 ms
const double webQueueSeconds = 0.75;  // how far ahead the queue is kept
const int webFeedIntervalMs = 40;

struct WebAudioOutput {
    int sampleRate = 0;
    bool open = false;
    bool paused = false;
    bool sourceEnded = false;
    PcmSource* source = nullptr;
    int16_t* chunk = nullptr;  // webChunkFrames stereo sample frames
    long timer = 0;
    // Time spent decoding and queueing, for the figures of the benchmarks.
    double feedMilliseconds = 0.0;
};

// False when the page offers no AudioContext (no Web Audio, or none allowed
// to start).
bool openWebAudioOutput(int sampleRate);
void closeWebAudioOutput();

bool startWebAudioOutput(PcmSource* source, bool paused);
// Stops every queued chunk; afterwards `source` is no longer touched.
void stopWebAudioOutput();
void pauseWebAudioOutput(bool paused);

// Tops the queue up; the output's timer calls it.
void feedWebAudioOutput(WebAudioOutput* output);

#endif
