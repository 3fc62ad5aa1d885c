// The headless library's one way to a "device": samples kept for the caller.
#include "memoryoutput.h"
#include "soundplatform.h"

const SoundOutputWay* soundOutputWays(size_t* count)
{
    *count = 1;
    return &memoryOutputWay;
}
