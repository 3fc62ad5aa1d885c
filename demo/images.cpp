#include "images.h"

#include "media.h"

namespace {
const int clamp = 0x2900;        // GL_CLAMP
const int clampToEdge = 0x812F;  // GL_CLAMP_TO_EDGE
}

const ImageSeries images[imageSeriesCount] = {
    {"data/tdx.tga", &texTandrix, 1, clamp, "texTandrix"},
    {"data/balloons.tga", &texBalloons, 1, clamp, "texBalloons"},
    {"data/font.tga", &texFont, 1, clamp, "texFont"},
    {"data/santa.tga", &texSanta, 1, clamp, "texSanta"},
    {"data/santa-head.tga", &texSantaHead, 1, clamp, "texSantaHead"},
    {"data/hand.tga", &texHand, 1, clamp, "texHand"},
    {"data/leg.tga", &texLeg, 1, clamp, "texLeg"},
    {"data/car.tga", &texCar, 1, clamp, "texCar"},
    {"data/tyre0.tga", texTyres, 4, clamp, "texTyres"},
    {"data/sun.tga", &texSun, 1, clamp, "texSun"},
    {"data/sunray.tga", &texSunray, 1, clamp, "texSunray"},
    {"data/city0.tga", texCityblocks, 5, clampToEdge, "texCityblocks"},
};

// The font goes up before the balloons.
const int uploadOrder[imageSeriesCount] = {0, 2, 1, 3, 4, 5, 6, 7, 8, 9, 10, 11};
