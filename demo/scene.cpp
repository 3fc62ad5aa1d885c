#include "scene.h"

#include "glwindow.h"
#include "../sound/fmod.h"
#include "demotexts.h"
#include "media.h"
#include "music.h"
#include "random.h"
#include "texture.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

float startTimer = 0.0f;
int showLogo = 1;
int logoFadingIn = 1;
float logoAlpha = 0.0f;
float logoHoldTimer = 0.0f;
float phase = 0.0f;
Sprite santa;
Sprite hand;
Sprite legs;
float stopTimer = 0.0f;
float frontCityScroll = 0.0f;
float backCityScroll = 0.0f;
int frontCityBlock = 0;
int backCityBlock = 4;
Sprite sun;
Sprite* sunRays[8] = {};
float bubbleClock = 0.0f;
int bubbleVisible = 0;
float bubbleTime = 0.0f;
int bubbleStage = -1;
int quoteIndex = -1;
int carActive[2] = {0, 0};
Sprite* cars[2] = {};
Sprite* carHeads[2] = {};
int bannerCar = 0;
int bannerLine = 0;

const float startDelayMs = 2000.0f;
const int stopBlock = 4;
const float stopDurationMs = 10000.0f;
const float cityBlockTexels = 512.0f;
// Every sine and cosine of the scene repeats when phase grows by 20 pi (the
// slowest, sin(0.1 phase), has that period). phase is brought back by a whole
// number of such periods once it passes sixteen of them, about eight minutes
// into the scene. A 32-bit phase left to grow would take ever coarser steps
// and, at a thousand frames per second, stop advancing after some hours,
// freezing the sun, the rays and Santa's walk.
const float phaseWrap = 16.0f * 20.0f * 3.14159265f;

// Gives a fresh record to a heap-held sprite, creating it only the first time so
// that setting the scene up again does not leak the earlier records.
static void resetSprite(Sprite*& sprite)
{
    if (sprite == nullptr)
        sprite = new Sprite;
    else
        *sprite = Sprite();
}

void createScene()
{
    sun = Sprite();
    sun.x = 500.0f * scaleX;
    sun.y = 40.0f * scaleY;
    for (int k = 0; k < 8; ++k) {
        resetSprite(sunRays[k]);
        sunRays[k]->y = 35.0f * scaleY;
        sunRays[k]->angle = 45.0f * static_cast<float>(k);
    }
    for (int i = 0; i < 2; ++i) {
        resetSprite(carHeads[i]);
        resetSprite(cars[i]);
        carActive[i] = 0;
    }
    santa = Sprite();
    santa.y = 220.0f * scaleY;
    hand = Sprite();
    legs = Sprite();
    santa.x = -1.3f * static_cast<float>(texSanta->width) * scaleX;
}

// Returns true while the start delay or the logo still runs this frame.
static bool advanceIntro(float dt)
{
    startTimer += dt;
    if (startTimer < startDelayMs)
        return true;
    startTimer = startDelayMs;
    FSOUND_SetPaused(musicChannel, 0);

    if (!showLogo)
        return false;
    if (logoFadingIn) {
        logoAlpha += dt * 0.001f;
        if (logoAlpha > 1.0f) {
            logoAlpha = 1.0f;
            logoHoldTimer += dt;
            if (logoHoldTimer > 1000.0f)
                logoFadingIn = 0;
        }
    } else if (logoAlpha > 0.0f) {
        logoAlpha -= dt * 0.001f;
    } else {
        showLogo = 0;
        logoFadingIn = 1;
        logoAlpha = 0.0f;
    }
    return true;
}

// A layer's scroll moves on by whole blocks of 512 texels; whatever lies beyond
// the block edge in a long frame is dropped, so a layer never skips a block.
static void scrollCityLayer(float& scroll, int& block, float distance)
{
    scroll += distance;
    if (scroll > cityBlockTexels) {
        block += 1;
        scroll = 0.0f;
        if (block == 5)
            block = 0;
    }
}

static void walkAndScroll(float dt, float windowWidth)
{
    santa.x += dt * scaleX * 0.05f;
    hand.angle = -10.0f * std::sin(2.5f * phase);
    legs.angle = 30.0f * std::sin(2.5f * phase);

    const float stopX =
        windowWidth * 0.5f - static_cast<float>(texSanta->width) * scaleX * 1.5f;
    if (santa.x > stopX) {
        santa.x = stopX;
        if (frontCityBlock != stopBlock || stopTimer > stopDurationMs) {
            scrollCityLayer(frontCityScroll, frontCityBlock, dt * 0.1f);
            scrollCityLayer(backCityScroll, backCityBlock, dt * 0.05f);
        } else {
            hand.angle = 0.0f;
            legs.angle = 0.0f;
        }
    }
}

static void advanceBubble(float dt)
{
    if (!bubbleVisible) {
        if (bubbleClock <= 7000.0f)
            return;
        bubbleVisible = 1;
        bubbleTime = 0.0f;
        bubbleStage = 0;
    }
    if (frontCityBlock == stopBlock)
        hand.angle = 10.0f * std::sin(4.0f * phase) - 70.0f;

    bubbleTime += dt;
    if (bubbleTime > 6000.0f) {
        bubbleStage = -1;
        bubbleVisible = 0;
        bubbleClock = 0.0f;
    } else if (bubbleTime > 2000.0f) {
        if (bubbleStage != 4)
            quoteIndex = (quoteIndex + 1) % quoteCount;
        bubbleStage = 4;
    } else if (bubbleTime > 1500.0f) {
        bubbleStage = 3;
    } else if (bubbleTime > 1000.0f) {
        bubbleStage = 2;
    } else if (bubbleTime > 500.0f) {
        bubbleStage = 1;
    } else {
        bubbleStage = 0;
    }
}

static void moveSunAndRays()
{
    sun.x = 500.0f * scaleX + 50.0f * scaleX * std::sin(0.5f * phase);
    sun.y = 40.0f * scaleY + 20.0f * scaleY * std::cos(0.5f * phase) * std::sin(0.5f * phase) *
                                 std::sin(0.1f * phase);
    sun.angle = 7.0f * std::sin(phase);

    // The rays turn by a fixed step per frame, not per millisecond.
    const float turn = std::sin(0.1f * phase);
    const float distance = 40.0f * scaleY + 5.0f * scaleY * std::sin(phase);
    for (Sprite* ray : sunRays) {
        ray->angle += turn;
        ray->y = distance;
    }
}

static void sendCarOff(int i, float windowWidth, float windowHeight)
{
    Sprite& car = *cars[i];
    const float carWidth = static_cast<float>(texCar->width);
    const float carHeight = static_cast<float>(texCar->height);
    carActive[i] = 1;
    if (nextRandom() & 1) {
        car.timer = 0.0f;
        car.angle = 0.75f + 1.25f * static_cast<float>(nextRandom()) / randomMax;
        car.x = -carWidth * scaleX;
        car.y = windowHeight - (carHeight + 100.0f - 10.0f * i) * scaleY;
    } else {
        car.angle = -0.75f - 1.25f * static_cast<float>(nextRandom()) / randomMax;
        car.x = windowWidth;
        car.y = windowHeight - (carHeight + 60.0f - 10.0f * (i + 1)) * scaleY;
    }
    if (bannerCar == -1)
        bannerCar = i;
}

static void driveCar(int i, float dt, float windowWidth)
{
    Sprite& car = *cars[i];
    carHeads[i]->angle = 10.0f * std::sin(4.0f * phase);
    car.timer += dt;
    if (car.timer > 125.0f) {
        car.timer = 0.0f;
        car.frame += 1.0f;
        if (car.frame > 3.0f)
            car.frame = 0.0f;
        car.bob = scaleY * car.frame;
    }
    car.x += dt * car.angle * scaleX * 0.1f;

    // The banner trails 10 pixels a character behind the car; the car has left
    // once its banner is off the screen too.
    const float bannerLength =
        10.0f * static_cast<float>(strnlen(bannerLines[bannerLine], sizeof bannerLines[0]));
    const float carWidth = static_cast<float>(texCar->width);
    if (car.x < -(carWidth + bannerLength + 5.0f) * scaleX ||
        car.x > windowWidth + bannerLength * scaleX + 5.0f) {
        carActive[i] = 0;
        if (i == bannerCar) {
            bannerLine = (bannerLine + 1) % bannerLineCount;
            bannerCar = -1;
        }
    }
}

void update(double elapsedMs)
{
    if (glWindow->keys[27]) {
        cleanup();
        exit(0);
    }
    const float dt = static_cast<float>(elapsedMs);
    if (advanceIntro(dt))
        return;

    const float windowWidth = static_cast<float>(glWindow->getWidth());
    const float windowHeight = static_cast<float>(glWindow->getHeight());

    phase += dt * 0.002f;
    if (phase >= phaseWrap)
        phase = std::fmod(phase, phaseWrap);
    walkAndScroll(dt, windowWidth);
    bubbleClock += dt;
    if (frontCityBlock == stopBlock) {
        stopTimer += dt;
    } else {
        santa.bob = 4.0f * scaleY * std::sin(5.0f * phase);
        stopTimer = 0.0f;
    }
    advanceBubble(dt);
    moveSunAndRays();
    for (int i = 0; i < 2; ++i) {
        if (!carActive[i])
            sendCarOff(i, windowWidth, windowHeight);
        else
            driveCar(i, dt, windowWidth);
    }
}
