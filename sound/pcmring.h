// Decoded sample frames between the decoder and a device that holds a deep
// queue of its own. Three running counts of stereo frames, in this order:
// played (the device has played them), sent (handed to the device) and
// decoded. Frames the device holds but has not played stay in the ring, so
// that a pause which empties the device loses nothing: the next frames sent
// are the first the device did not play.
#ifndef SNOWGIG_PCMRING_H
#define SNOWGIG_PCMRING_H

#include <cstddef>
#include <cstdint>

#include "pcmsource.h"

struct PcmRing {
    int16_t* frames;  // capacity stereo frames
    size_t capacity;
    uint64_t played;
    uint64_t sent;
    uint64_t decoded;
};

bool openPcmRing(PcmRing* ring, size_t capacity);
void closePcmRing(PcmRing* ring);

// Frames decoded and not yet sent.
size_t pcmRingReady(const PcmRing& ring);
// Room for more decoded frames.
size_t pcmRingSpace(const PcmRing& ring);

// Decodes from `source` into the free room, at most `most` frames. Returns
// how many came (fewer once the source has ended).
size_t fillPcmRing(PcmRing* ring, PcmSource* source, size_t most);
// Copies up to `most` ready frames to `out` and counts them as sent.
size_t sendPcmRing(PcmRing* ring, int16_t* out, size_t most);
// The device still holds `queued` of the frames sent: the rest are played.
void markPcmRingQueued(PcmRing* ring, size_t queued);
// The device dropped the `queued` frames it held: they are to be sent again.
void rewindPcmRing(PcmRing* ring, size_t queued);

#endif
