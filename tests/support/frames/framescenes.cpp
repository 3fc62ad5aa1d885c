#include "framescenes.h"

#include "glwindow.h"
#include "media.h"
#include "render.h"
#include "scene.h"
#include "texture.h"

#include <cstring>

namespace {

// Santa at his stop in the middle of the window, the sun at its resting place.
void santaAtStop()
{
    santa.x = float(glWindow->getWidth()) * 0.5f - float(texSanta->width) * scaleX * 1.5f;
    santa.bob = 0;
    legs.angle = 12;
    hand.angle = -8;
    for (Sprite* ray : sunRays)
        ray->y = 40 * scaleY;
}

void car(int i, float x, float speed, int frame)
{
    const float carHeight = float(texCar->height);
    const float windowHeight = float(glWindow->getHeight());
    carActive[i] = 1;
    cars[i]->x = x;
    cars[i]->angle = speed;
    cars[i]->frame = float(frame);
    cars[i]->bob = scaleY * float(frame);
    cars[i]->y = speed > 0 ? windowHeight - (carHeight + 100 - 10 * i) * scaleY
                           : windowHeight - (carHeight + 60 - 10 * (i + 1)) * scaleY;
    carHeads[i]->angle = 6;
}

void logoInvisible()
{
    showLogo = 1;
    logoAlpha = 0;
}

void logoOpaque()
{
    showLogo = 1;
    logoAlpha = 1;
}

void bubbleWithoutText()
{
    santaAtStop();
    hand.angle = -70;
    bubbleVisible = 1;
    bubbleStage = 3;
    quoteIndex = 5;
}

void bubbleWithQuote()
{
    bubbleWithoutText();
    bubbleStage = 4;
}

void carsBothWays()
{
    santaAtStop();
    car(0, 260 * scaleX, 1.5f, 1);
    car(1, 300 * scaleX, -1.0f, 2);
    bannerCar = 0;
    bannerLine = 1;
}

void bannerBehindLeftCar()
{
    santaAtStop();
    car(1, 60 * scaleX, -1.2f, 3);
    bannerCar = 1;
    bannerLine = 8;
}

void cityNearBlockEdge()
{
    santaAtStop();
    frontCityScroll = 511;
    frontCityBlock = 2;
    backCityScroll = 511;
    backCityBlock = 1;
}

void wholeSceneLarger()
{
    santaAtStop();
    sun.angle = 5;
    frontCityScroll = 200;
    backCityScroll = 100;
    bubbleVisible = 1;
    bubbleStage = 4;
    quoteIndex = 0;
    car(0, 100 * scaleX, 1.0f, 0);
    bannerCar = 0;
    bannerLine = 19;
}

}  // namespace

const FrameScene frameScenes[] = {
    {"logo-alpha0-640x480", 640, 480, logoInvisible},
    {"logo-opaque-640x480", 640, 480, logoOpaque},
    {"bubble-stage3-640x480", 640, 480, bubbleWithoutText},
    {"bubble-stage4-640x480", 640, 480, bubbleWithQuote},
    {"cars-both-ways-640x480", 640, 480, carsBothWays},
    {"banner-left-car-640x480", 640, 480, bannerBehindLeftCar},
    {"cars-both-ways-1024x768", 1024, 768, carsBothWays},
    {"banner-left-car-1024x768", 1024, 768, bannerBehindLeftCar},
    {"city-scroll0-640x480", 640, 480, santaAtStop},
    {"city-scroll511-640x480", 640, 480, cityNearBlockEdge},
    {"scene-800x600", 800, 600, wholeSceneLarger},
};
const int frameSceneCount = int(sizeof frameScenes / sizeof frameScenes[0]);

const FrameScene* findFrameScene(const char* name)
{
    for (const FrameScene& scene : frameScenes) {
        if (std::strcmp(scene.name, name) == 0)
            return &scene;
    }
    return nullptr;
}

void resetFrameScene()
{
    resize(int(glWindow->getWidth()), int(glWindow->getHeight()));

    startTimer = 2000;
    showLogo = 0;
    logoAlpha = 0;
    phase = 0;
    frontCityScroll = backCityScroll = 0;
    frontCityBlock = 0;
    backCityBlock = 4;
    bubbleVisible = 0;
    bubbleStage = -1;
    quoteIndex = -1;
    bannerCar = -1;
    bannerLine = 0;
    createScene();
}

void poseFrameScene(const FrameScene& scene)
{
    resetFrameScene();
    scene.pose();
}
