// The web library's one way to a sound device: the page's Web Audio.
#include "soundplatform.h"
#include "webaudiooutput.h"

namespace {

const SoundOutputWay ways[] = {webAudioOutputWay};

}  // namespace

const SoundOutputWay* soundOutputWays(size_t* count)
{
    *count = 1;
    return ways;
}
