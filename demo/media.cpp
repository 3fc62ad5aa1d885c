#include "media.h"

GLWindow* glWindow = nullptr;
PackFile* pack = nullptr;

float scaleX = 0.0f;
float scaleY = 0.0f;

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
