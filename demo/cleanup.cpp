// The one shutdown routine, run on every way out of the program. Whatever it
// releases it marks as gone, so a second call finds nothing left to do.
#include "glwindow.h"
#include "media.h"
#include "music.h"
#include "pack.h"
#include "scene.h"
#include "texture.h"

namespace {

template <typename T>
void release(T*& object)
{
    delete object;
    object = nullptr;
}

}  // namespace

int cleanup()
{
    release(pack);
    stopMusic();

    release(texTandrix);
    release(texFont);
    release(texBalloons);
    release(texSanta);
    release(texSantaHead);
    release(texHand);
    release(texLeg);
    release(texCar);

    for (int i = 0; i < 2; i++) {
        release(carHeads[i]);
        release(cars[i]);
    }

    for (Texture*& tyre : texTyres)
        release(tyre);
    release(texSun);
    release(texSunray);

    for (Sprite*& ray : sunRays)
        release(ray);

    for (Texture*& block : texCityblocks)
        release(block);

    // Its destructor releases the GL context and the window and restores the
    // display mode.
    release(glWindow);
    return 0;
}
