// The one output device: the first of the platform's ways to a device that
// opens, used until it is closed.
#include "soundplatform.h"

namespace {

const SoundOutputWay* active = nullptr;
int activeRate = 0;
bool activePaused = false;

}  // namespace

bool openSoundOutput(int sampleRate)
{
    closeSoundOutput();
    size_t count = 0;
    const SoundOutputWay* ways = soundOutputWays(&count);
    for (size_t i = 0; i < count; ++i) {
        if (ways[i].open(sampleRate)) {
            active = &ways[i];
            activeRate = sampleRate;
            return true;
        }
    }
    return false;
}

void closeSoundOutput()
{
    if (active)
        active->close();
    active = nullptr;
    activeRate = 0;
    activePaused = false;
}

int soundOutputRate()
{
    return activeRate;
}

const char* soundOutputName()
{
    return active ? active->name : "";
}

bool startSoundOutput(PcmSource* source, bool paused)
{
    if (!active || !active->start(source, paused))
        return false;
    activePaused = paused;
    return true;
}

void stopSoundOutput()
{
    if (active)
        active->stop();
}

void pauseSoundOutput(bool paused)
{
    if (!active)
        return;
    active->pause(paused);
    activePaused = paused;
}

bool soundOutputPaused()
{
    return activePaused;
}
