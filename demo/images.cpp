#include "images.h"

#include "media.h"

namespace {
const int clamp = 0x2900;        // GL_CLAMP
const int clampToEdge = 0x812F;  // GL_CLAMP_TO_EDGE
}

const ImageFile imageFiles[imageFileCount] = {
    {"data/tdx.tga", &texTandrix, clamp},
    {"data/balloons.tga", &texBalloons, clamp},
    {"data/font.tga", &texFont, clamp},
    {"data/santa.tga", &texSanta, clamp},
    {"data/santa-head.tga", &texSantaHead, clamp},
    {"data/hand.tga", &texHand, clamp},
    {"data/leg.tga", &texLeg, clamp},
    {"data/car.tga", &texCar, clamp},
    {"data/tyre0.tga", &texTyres[0], clamp},
    {"data/tyre1.tga", &texTyres[1], clamp},
    {"data/tyre2.tga", &texTyres[2], clamp},
    {"data/tyre3.tga", &texTyres[3], clamp},
    {"data/sun.tga", &texSun, clamp},
    {"data/sunray.tga", &texSunray, clamp},
    {"data/city0.tga", &texCityblocks[0], clampToEdge},
    {"data/city1.tga", &texCityblocks[1], clampToEdge},
    {"data/city2.tga", &texCityblocks[2], clampToEdge},
    {"data/city3.tga", &texCityblocks[3], clampToEdge},
    {"data/city4.tga", &texCityblocks[4], clampToEdge},
};

const ImageSeries images[imageSeriesCount] = {
    {0, 1, "texTandrix"},
    {1, 1, "texBalloons"},
    {2, 1, "texFont"},
    {3, 1, "texSanta"},
    {4, 1, "texSantaHead"},
    {5, 1, "texHand"},
    {6, 1, "texLeg"},
    {7, 1, "texCar"},
    {8, 4, "texTyres"},
    {12, 1, "texSun"},
    {13, 1, "texSunray"},
    {14, 5, "texCityblocks"},
};

// The font goes up before the balloons.
const int uploadOrder[imageSeriesCount] = {0, 2, 1, 3, 4, 5, 6, 7, 8, 9, 10, 11};
