// The web library's one way to a sound device: the page's Web Audio.
#include "soundplatform.h"
#include "webaudiooutput.h"

namespace {

WebAudioOutput webAudio;

bool openWebAudio(int sampleRate)
{
    return openWebAudioOutput(&webAudio, sampleRate);
}

void closeWebAudio()
{
    closeWebAudioOutput(&webAudio);
}

bool startWebAudio(PcmSource* source, bool paused)
{
    return startWebAudioOutput(&webAudio, source, paused);
}

void stopWebAudio()
{
    stopWebAudioOutput(&webAudio);
}

void pauseWebAudio(bool paused)
{
    pauseWebAudioOutput(&webAudio, paused);
}

const SoundOutputWay ways[] = {
    {"webaudio", openWebAudio, closeWebAudio, startWebAudio, stopWebAudio, pauseWebAudio},
};

}  // namespace

const SoundOutputWay* soundOutputWays(size_t* count)
{
    *count = 1;
    return ways;
}
