#include "sceneharness.h"

#include "glwindow.h"
#include "media.h"
#include "random.h"
#include "scene.h"
#include "texture.h"

static void resetSceneVariables()
{
    startTimer = 0;
    showLogo = 1;
    logoFadingIn = 1;
    logoAlpha = 0;
    logoHoldTimer = 0;
    phase = 0;
    stopTimer = 0;
    frontCityScroll = 0;
    backCityScroll = 0;
    frontCityBlock = 0;
    backCityBlock = 4;
    bubbleClock = 0;
    bubbleVisible = 0;
    bubbleTime = 0;
    bubbleStage = -1;
    quoteIndex = -1;
    bannerCar = 0;
    bannerLine = 0;
}

static uint32_t powerOfTwoAtLeast(uint32_t size)
{
    uint32_t padded = 1;
    while (padded < size)
        padded *= 2;
    return padded;
}

Texture* makeTexture(unsigned int glName, uint32_t width, uint32_t height)
{
    Texture* texture = new Texture;
    texture->glName = glName;
    texture->width = width;
    texture->height = height;
    texture->texWidth = powerOfTwoAtLeast(width);
    texture->texHeight = powerOfTwoAtLeast(height);
    return texture;
}

void setUpScene(const SceneSetup& setup)
{
    tearDownScene();
    resetSceneVariables();
    glWindow = new GLWindow(nullptr, "snowgig", setup.windowWidth, setup.windowHeight, 32, false);
    setScaleFor(setup.windowWidth, setup.windowHeight);
    texSanta = makeTexture(5, setup.santaWidth, setup.santaHeight);
    texCar = makeTexture(9, setup.carWidth, setup.carHeight);
    createScene();
    seedRandom(300);
}

void tearDownScene()
{
    delete glWindow;
    glWindow = nullptr;
    delete texSanta;
    texSanta = nullptr;
    delete texCar;
    texCar = nullptr;
}

void skipIntro()
{
    startTimer = 2000;
    showLogo = 0;
    logoFadingIn = 1;
    logoAlpha = 0;
}
