// The scene state and the timeline that advances it once per frame.
#ifndef SNOWGIG_SCENE_H
#define SNOWGIG_SCENE_H

struct Sprite {
    Sprite() : x(0), y(0), bob(0), angle(0), timer(0), frame(0) {}
    float x;
    float y;
    float bob;
    float angle;  // degrees; a traffic car keeps its signed speed here
    float timer;
    float frame;
};

extern float startTimer;
extern int showLogo;
extern int logoFadingIn;
extern float logoAlpha;
extern float logoHoldTimer;
extern float phase;
extern Sprite santa;
extern Sprite hand;
extern Sprite legs;
extern float stopTimer;
extern float frontCityScroll;
extern float backCityScroll;
extern int frontCityBlock;
extern int backCityBlock;
extern Sprite sun;
extern Sprite* sunRays[8];
extern float bubbleClock;
extern int bubbleVisible;
extern float bubbleTime;
extern int bubbleStage;
extern int quoteIndex;
extern int carActive[2];
extern Sprite* cars[2];
extern Sprite* carHeads[2];
extern int bannerCar;
extern int bannerLine;

// Gives the scene its starting values once scaleX, scaleY and the textures are
// known, creating the heap-held sprites (released by cleanup).
void createScene();

// Advances the scene by the milliseconds since the previous frame.
void update(double elapsedMs);

#endif
