#include "media.h"

GLWindow* glWindow = nullptr;
PackFile* pack = nullptr;

float scaleX = 0.0f;
float scaleY = 0.0f;

// The show is drawn for 640 x 480: 1/640 and (nearly) 1/480 of the window.
void setScaleFor(unsigned int width, unsigned int height)
{
    scaleX = static_cast<float>(width) * 0.0015625f;
    scaleY = static_cast<float>(height) * 0.0020833334f;
}

Texture* texTandrix = nullptr;
Texture* texBalloons = nullptr;
Texture* texFont = nullptr;
Texture* texSanta = nullptr;
Texture* texSantaHead = nullptr;
Texture* texHand = nullptr;
Texture* texLeg = nullptr;
Texture* texCar = nullptr;
Texture* texTyres[4] = {};
Texture* texSun = nullptr;
Texture* texSunray = nullptr;
Texture* texCityblocks[5] = {};
