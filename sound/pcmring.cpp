#include "pcmring.h"

#include <cstdlib>
#include <cstring>

bool openPcmRing(PcmRing* ring, size_t capacity)
{
    std::memset(ring, 0, sizeof *ring);
    ring->frames = static_cast<int16_t*>(std::malloc(capacity * 2 * sizeof(int16_t)));
    if (!ring->frames)
        return false;
    ring->capacity = capacity;
    return true;
}

void closePcmRing(PcmRing* ring)
{
    std::free(ring->frames);
    std::memset(ring, 0, sizeof *ring);
}

size_t pcmRingReady(const PcmRing& ring)
{
    return size_t(ring.decoded - ring.sent);
}

size_t pcmRingSpace(const PcmRing& ring)
{
    return ring.capacity - size_t(ring.decoded - ring.played);
}

size_t fillPcmRing(PcmRing* ring, PcmSource* source, size_t most)
{
    size_t total = 0;
    while (total < most && !source->ended) {
        size_t room = pcmRingSpace(*ring);
        if (room == 0)
            break;
        size_t at = size_t(ring->decoded % ring->capacity);
        size_t n = ring->capacity - at;
        if (n > room)
            n = room;
        if (n > most - total)
            n = most - total;
        size_t got = readPcm(source, ring->frames + 2 * at, n);
        ring->decoded += got;
        total += got;
        if (got < n)
            break;
    }
    return total;
}

size_t sendPcmRing(PcmRing* ring, int16_t* out, size_t most)
{
    size_t total = 0;
    size_t ready = pcmRingReady(*ring);
    if (most > ready)
        most = ready;
    while (total < most) {
        size_t at = size_t(ring->sent % ring->capacity);
        size_t n = ring->capacity - at;
        if (n > most - total)
            n = most - total;
        std::memcpy(out + 2 * total, ring->frames + 2 * at, n * 2 * sizeof(int16_t));
        ring->sent += n;
        total += n;
    }
    return total;
}

void markPcmRingQueued(PcmRing* ring, size_t queued)
{
    uint64_t inFlight = ring->sent - ring->played;
    if (queued > inFlight)
        queued = size_t(inFlight);
    ring->played = ring->sent - queued;
}

void rewindPcmRing(PcmRing* ring, size_t queued)
{
    markPcmRingQueued(ring, queued);
    ring->sent = ring->played;
}
