// The timeline on the scene state, with the music on the headless sound
// output: intro, walk and stops, city scroll, speech bubble, traffic and
// banner lines, and the way out on Escape.
#include "demotexts.h"
#include "filebytes.h"
#include "glwindow.h"
#include "media.h"
#include "memoryoutput.h"
#include "music.h"
#include "random.h"
#include "scene.h"
#include "sceneharness.h"
#include "texture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// Not the first free channel, so that the library refuses a pause switch on
// any channel but the music's own.
const int testMusicChannel = 7;

// The music as start-up leaves it, on the sound library over the headless
// output: a test tune in musicData, opened as musicStream and playing paused
// on musicChannel. stopMusic releases it all.
void startPausedMusic()
{
    const std::vector<uint8_t> tune = readFile(SHOW_TEST_TUNE);
    ASSERT_FALSE(tune.empty()) << "cannot read " << SHOW_TEST_TUNE;
    musicData = static_cast<unsigned char*>(std::malloc(tune.size()));
    ASSERT_NE(musicData, nullptr);
    std::memcpy(musicData, tune.data(), tune.size());
    ASSERT_TRUE(FSOUND_Init(44100, 32, 0));
    musicStream = FSOUND_Stream_Open(reinterpret_cast<const char*>(musicData),
                                     FSOUND_LOOP_NORMAL | FSOUND_NORMAL | FSOUND_LOADMEMORY |
                                         FSOUND_MPEGACCURATE,
                                     0, static_cast<int>(tune.size()));
    ASSERT_NE(musicStream, nullptr) << "error " << FSOUND_GetError();
    musicChannel = FSOUND_Stream_PlayEx(testMusicChannel, musicStream, nullptr, 1);
    ASSERT_EQ(musicChannel, testMusicChannel);
}

// Whether the music is heard: the next sample frame the headless output gives
// comes from the tune (a paused stream gives silence).
bool musicHeard()
{
    int16_t frame[2];
    return readMemoryOutput(frame, 1) == 1;
}

class Timeline : public ::testing::Test {
protected:
    void SetUp() override
    {
        setUpScene();
        startPausedMusic();
    }
    void TearDown() override
    {
        stopMusic();
        tearDownScene();
    }

    static float stopX()
    {
        return static_cast<float>(glWindow->getWidth()) * 0.5f -
               static_cast<float>(texSanta->width) * scaleX * 1.5f;
    }
    static void standAtStop() { santa.x = stopX() + 1.0f; }
    // The scene at 800 x 600, where everything scales by 1.25.
    static void setUpAt800x600()
    {
        SceneSetup big;
        big.windowWidth = 800;
        big.windowHeight = 600;
        setUpScene(big);
    }
    // At 800 x 600, past the intro, both cars sent off.
    static void startSceneAt800x600()
    {
        setUpAt800x600();
        skipIntro();
        update(0.0);
    }
};

TEST_F(Timeline, SceneSetUpPlacesSunRaysAndSantaForTheChosenMode)
{
    setUpAt800x600();
    EXPECT_FLOAT_EQ(scaleX, 1.25f);
    EXPECT_FLOAT_EQ(sun.x, 625.0f);
    EXPECT_FLOAT_EQ(sun.y, 50.0f);
    for (int k = 0; k < 8; ++k) {
        EXPECT_FLOAT_EQ(sunRays[k]->y, 43.75f);
        EXPECT_FLOAT_EQ(sunRays[k]->angle, 45.0f * k);
    }
    EXPECT_FLOAT_EQ(santa.x, -1.3f * 120 * 1.25f);
    EXPECT_FLOAT_EQ(santa.y, 275.0f);
    EXPECT_EQ(carActive[0] + carActive[1], 0);
    EXPECT_EQ(cars[0]->x + cars[1]->x + carHeads[0]->angle, 0.0f);
}

TEST_F(Timeline, StartDelayHoldsEverythingThenEndsInOneLargeStep)
{
    update(1999.0);
    EXPECT_EQ(startTimer, 1999.0f);
    EXPECT_FALSE(musicHeard()) << "the music stays paused through the delay";
    EXPECT_EQ(logoAlpha, 0.0f);

    setUpScene();
    update(2600.0);
    EXPECT_EQ(startTimer, 2000.0f);
    EXPECT_TRUE(musicHeard()) << "the update that ends the delay unpauses the music's channel";
    // The fade-in began in the same call: 2.6 clamps to 1 and holds for 2600 ms.
    EXPECT_EQ(logoAlpha, 1.0f);
    EXPECT_EQ(logoFadingIn, 0);

    ASSERT_TRUE(FSOUND_SetPaused(musicChannel, 1));
    ASSERT_FALSE(musicHeard());
    update(16.0);
    EXPECT_EQ(startTimer, 2000.0f);
    EXPECT_TRUE(musicHeard()) << "the music is unpaused on every update after the delay";
}

TEST_F(Timeline, LogoHoldStartsOnlyAboveFullOpacityAndEndsOnlyAfterAFullSecond)
{
    startTimer = 2000;
    logoAlpha = 0.5f;
    update(500.0);
    EXPECT_EQ(logoAlpha, 1.0f);
    EXPECT_EQ(logoHoldTimer, 0.0f) << "exactly 1 is not above 1";

    update(10.0);
    EXPECT_EQ(logoAlpha, 1.0f);
    EXPECT_EQ(logoHoldTimer, 10.0f);

    logoHoldTimer = 990.0f;
    update(10.0);
    EXPECT_EQ(logoHoldTimer, 1000.0f);
    EXPECT_EQ(logoFadingIn, 1);
    update(1.0);
    EXPECT_EQ(logoFadingIn, 0);
    EXPECT_EQ(logoAlpha, 1.0f);
}

TEST_F(Timeline, FadeOutOvershootsForOneFrameAndTheSceneStartsTheUpdateAfter)
{
    startTimer = 2000;
    logoFadingIn = 0;
    logoAlpha = 0.3f;
    update(500.0);
    EXPECT_NEAR(logoAlpha, -0.2f, 1e-6f);
    EXPECT_EQ(showLogo, 1);

    const float santaX = santa.x;
    update(500.0);
    EXPECT_EQ(showLogo, 0);
    EXPECT_EQ(logoAlpha, 0.0f);
    EXPECT_EQ(logoFadingIn, 1);
    EXPECT_EQ(phase, 0.0f) << "the update that ends the logo moves nothing";
    EXPECT_EQ(santa.x, santaX);
    EXPECT_EQ(carActive[0], 0);

    update(10.0);
    EXPECT_FLOAT_EQ(phase, 0.02f);
    EXPECT_FLOAT_EQ(santa.x, santaX + 0.5f);
    EXPECT_EQ(carActive[0], 1);
}

TEST_F(Timeline, SantaStandingExactlyAtTheStopNeitherScrollsNorStops)
{
    skipIntro();
    phase = 0.3f;
    santa.x = stopX();
    update(0.0);
    EXPECT_EQ(santa.x, stopX());
    EXPECT_EQ(frontCityScroll, 0.0f);
    EXPECT_FLOAT_EQ(legs.angle, 30.0f * std::sin(0.75f));
    EXPECT_FLOAT_EQ(hand.angle, -10.0f * std::sin(0.75f));
}

TEST_F(Timeline, StopPositionFollowsAResizedWindowButNotTheScale)
{
    skipIntro();
    glWindow->width = 800;
    santa.x = 1000.0f;
    update(10.0);
    EXPECT_FLOAT_EQ(santa.x, 400.0f - 120.0f * 1.5f);
    EXPECT_FLOAT_EQ(frontCityScroll, 1.0f);
    EXPECT_FLOAT_EQ(backCityScroll, 0.5f);
}

TEST_F(Timeline, ScrollPastABlockEdgeDropsTheRemainderAndWrapsTheRing)
{
    skipIntro();
    standAtStop();
    frontCityBlock = 3;
    frontCityScroll = 500.0f;
    backCityBlock = 4;
    backCityScroll = 500.0f;
    update(300.0);  // front +30, back +15
    EXPECT_EQ(frontCityScroll, 0.0f);
    EXPECT_EQ(frontCityBlock, 4);
    EXPECT_EQ(backCityScroll, 0.0f);
    EXPECT_EQ(backCityBlock, 0) << "block 4 is followed by block 0";

    // A frame as long as several blocks still moves on by one block only.
    frontCityBlock = 1;
    update(20000.0);
    EXPECT_EQ(frontCityBlock, 2);
    EXPECT_EQ(frontCityScroll, 0.0f);
}

TEST_F(Timeline, BlockFourHaltsTheCityAndSantaForTenSecondsWithTheBobFrozen)
{
    skipIntro();
    standAtStop();
    bubbleClock = -100000.0f;  // no speech bubble, so no waving
    update(100.0);
    const float bob = santa.bob;
    EXPECT_NE(bob, 0.0f);

    frontCityBlock = 4;
    frontCityScroll = 0.0f;
    const float back = backCityScroll;
    for (int frame = 0; frame < 100; ++frame)
        update(100.0);
    EXPECT_EQ(stopTimer, 10000.0f);
    EXPECT_EQ(frontCityScroll, 0.0f);
    EXPECT_EQ(backCityScroll, back);
    EXPECT_EQ(santa.bob, bob);
    EXPECT_EQ(legs.angle, 0.0f);
    EXPECT_EQ(hand.angle, 0.0f);

    update(100.0);  // stopTimer is exactly 10000 when this update checks it
    EXPECT_EQ(frontCityScroll, 0.0f);
    update(100.0);
    EXPECT_FLOAT_EQ(frontCityScroll, 10.0f);
    EXPECT_NE(legs.angle, 0.0f);
    EXPECT_EQ(santa.bob, bob) << "the bob stays frozen until block 4 has gone";
}

TEST_F(Timeline, BubbleStagesChangeOnlyAboveEachThreshold)
{
    skipIntro();
    bubbleClock = 7000.0f;
    update(0.0);
    EXPECT_EQ(bubbleVisible, 0) << "exactly 7000 does not start a bubble";
    update(10.0);
    EXPECT_EQ(bubbleVisible, 1);
    EXPECT_EQ(bubbleStage, 0);
    EXPECT_EQ(bubbleTime, 10.0f);

    const struct {
        float before;
        float dt;
        int stage;
    } steps[] = {
        {490, 10, 0}, {500, 1, 1},    {990, 10, 1},    {1000, 1, 2},
        {1490, 10, 2}, {1500, 1, 3},  {1990, 10, 3},   {2000, 1, 4},
        {5990, 10, 4},
    };
    for (const auto& step : steps) {
        bubbleTime = step.before;
        update(step.dt);
        EXPECT_EQ(bubbleStage, step.stage) << "bubbleTime " << bubbleTime;
        EXPECT_EQ(bubbleVisible, 1);
    }
    EXPECT_EQ(quoteIndex, 0) << "stage 4 is entered once, moving -1 to 0";

    update(1.0);
    EXPECT_EQ(bubbleStage, -1);
    EXPECT_EQ(bubbleVisible, 0);
    EXPECT_EQ(bubbleClock, 0.0f);
}

TEST_F(Timeline, QuotesFollowInOrderAndABubbleThatSkipsStageFourShowsNone)
{
    skipIntro();
    quoteIndex = 9;
    bubbleVisible = 1;
    bubbleStage = 3;
    bubbleTime = 1990;
    update(20.0);
    EXPECT_EQ(quoteIndex, 0);

    bubbleStage = 2;
    bubbleTime = 1900;
    update(4200.0);
    EXPECT_EQ(bubbleVisible, 0);
    EXPECT_EQ(quoteIndex, 0);
}

TEST_F(Timeline, PhaseKeepsAdvancingSmoothlyOnARunOfDays)
{
    skipIntro();
    bubbleClock = -1e9f;
    const double period = 320.0 * 3.14159265358979;  // 16 periods of sin(0.1 phase)
    phase = static_cast<float>(period - 0.01);
    update(16.0);  // crosses the end of the period
    EXPECT_GE(phase, 0.0f);
    EXPECT_LT(phase, 0.1f);
    EXPECT_NEAR(sun.x, 500.0 + 50.0 * std::sin(0.5 * (period + 0.022)), 0.01);
    EXPECT_NEAR(legs.angle, 30.0 * std::sin(2.5 * (period + 0.022)), 0.05);

    update(24.0 * 3600 * 1000);  // a day's step, as after a long time minimised
    EXPECT_GE(phase, 0.0f);
    EXPECT_LT(phase, period);

    // Where an ever-growing 32-bit phase could no longer take a 16 ms step.
    phase = 1048576.0f;
    update(0.0);
    const float before = phase;
    update(16.0);
    EXPECT_NEAR(phase - before, 0.032f, 1e-4f);
}

TEST_F(Timeline, FirstCarsFromSeed300)
{
    // The generator's first four values from seed 300: 1018, 20977, 6537, 12471.
    skipIntro();
    update(10.0);
    ASSERT_EQ(carActive[0], 1);
    ASSERT_EQ(carActive[1], 1);
    // 1018 is even: car 0 comes from the right on the lower lane.
    EXPECT_FLOAT_EQ(cars[0]->angle, -0.75f - 1.25f * 20977.0f / 32767.0f);
    EXPECT_FLOAT_EQ(cars[0]->x, 640.0f);
    EXPECT_FLOAT_EQ(cars[0]->y, 480.0f - (90.0f + 50.0f));
    // 6537 is odd: car 1 comes from the left.
    EXPECT_FLOAT_EQ(cars[1]->angle, 0.75f + 1.25f * 12471.0f / 32767.0f);
    EXPECT_FLOAT_EQ(cars[1]->x, -240.0f);
    EXPECT_FLOAT_EQ(cars[1]->y, 480.0f - (90.0f + 90.0f));
    EXPECT_EQ(bannerCar, 0);
    EXPECT_EQ(nextRandom(), 23035);
}

TEST_F(Timeline, CarsStartFromTheEdgesOfAResizedWindowWithTheirFirstScale)
{
    skipIntro();
    glWindow->width = 1000;
    glWindow->height = 700;
    update(10.0);
    EXPECT_FLOAT_EQ(cars[0]->x, 1000.0f);
    EXPECT_FLOAT_EQ(cars[0]->y, 700.0f - (90.0f + 50.0f));
    EXPECT_FLOAT_EQ(cars[1]->x, -240.0f);
    EXPECT_FLOAT_EQ(cars[1]->y, 700.0f - (90.0f + 90.0f));

    // 1000 + 0 * 10 + 5: line 0 is empty, so the car leaves just past the edge.
    cars[1]->x = 1005.5f;
    update(0.0);
    EXPECT_EQ(carActive[1], 0);
}

TEST_F(Timeline, TyreFramesCycleAndTheBodyBobsWithThem)
{
    startSceneAt800x600();
    const float expectedFrames[] = {1, 2, 3, 0, 1};
    for (float expected : expectedFrames) {
        const float bob = cars[0]->bob;
        update(100.0);
        EXPECT_EQ(cars[0]->bob, bob) << "no frame change yet";
        update(26.0);
        EXPECT_EQ(cars[0]->frame, expected);
        EXPECT_EQ(cars[0]->timer, 0.0f);
        EXPECT_FLOAT_EQ(cars[0]->bob, scaleY * expected);
    }
}

TEST_F(Timeline, CarLeavesOnlyWhenItsBannerIsOffScreen)
{
    skipIntro();
    update(0.0);
    bannerLine = 1;  // 38 characters
    const float allowance = 380.0f;
    Sprite& left = *cars[0];
    left.angle = -1.0f;
    left.x = -(240.0f + allowance + 5.0f);
    update(0.0);
    EXPECT_EQ(carActive[0], 1) << "at the boundary the car is still on its way";
    left.x -= 0.5f;
    Sprite& right = *cars[1];
    right.angle = 1.0f;
    right.x = 640.0f + allowance + 5.0f + 0.5f;
    bannerCar = 1;  // car 1 is checked last, so both use the length of line 1
    update(0.0);
    EXPECT_EQ(carActive[0], 0);
    EXPECT_EQ(carActive[1], 0);
    EXPECT_EQ(bannerLine, 2) << "the banner moves on once, for the banner car only";
    EXPECT_EQ(bannerCar, -1);

    update(0.0);
    EXPECT_EQ(carActive[0] + carActive[1], 2);
    EXPECT_EQ(bannerCar, 0) << "car 0 is sent off first and takes the banner";
}

TEST_F(Timeline, BannerLineAdvancesOnlyOnTheBannerCarsExitAndWraps)
{
    skipIntro();
    update(0.0);
    bannerCar = 0;
    bannerLine = 21;
    cars[1]->angle = 1.0f;
    cars[1]->x = 10000.0f;
    update(0.0);
    EXPECT_EQ(carActive[1], 0);
    EXPECT_EQ(bannerLine, 21);
    EXPECT_EQ(bannerCar, 0);
    update(0.0);  // car 1 is sent off again; the banner stays with car 0
    EXPECT_EQ(carActive[1], 1);
    EXPECT_EQ(bannerCar, 0);

    cars[0]->angle = 1.0f;
    cars[0]->x = 10000.0f;
    update(0.0);
    EXPECT_EQ(bannerLine, 0);
    EXPECT_EQ(bannerCar, -1);
}

TEST_F(Timeline, LongRunKeepsTheNominalCycleTimes)
{
    const double dt = 10.0;
    double sceneMs = -1.0;
    double quoteFirstShown[quoteCount];
    for (double& t : quoteFirstShown)
        t = -1.0;
    double walkInEndedAt = -1.0;
    double stopBeganAt = -1.0;
    double stopEndedAt = -1.0;
    double secondStopBeganAt = -1.0;
    int previousBlock = frontCityBlock;
    int previousQuote = quoteIndex;
    int bannerLinesSeen = 0;
    int previousBanner = bannerLine;

    for (int frame = 0; frame < 150 * 100 + 600; ++frame) {
        const bool sceneRunning = !showLogo;
        update(dt);
        if (!sceneRunning)
            continue;
        sceneMs = sceneMs < 0 ? dt : sceneMs + dt;
        if (walkInEndedAt < 0 && frontCityScroll > 0)
            walkInEndedAt = sceneMs;
        if (quoteIndex != previousQuote && quoteFirstShown[quoteIndex] < 0)
            quoteFirstShown[quoteIndex] = sceneMs;
        previousQuote = quoteIndex;
        if (frontCityBlock == 4 && previousBlock != 4) {
            if (stopBeganAt < 0)
                stopBeganAt = sceneMs;
            else if (secondStopBeganAt < 0)
                secondStopBeganAt = sceneMs;
        }
        if (frontCityBlock == 4 && stopEndedAt < 0 && stopBeganAt >= 0 && frontCityScroll > 0)
            stopEndedAt = sceneMs;
        previousBlock = frontCityBlock;
        if (bannerLine != previousBanner)
            ++bannerLinesSeen;
        previousBanner = bannerLine;
    }

    // 120 px wide Santa: walks in for 6400 - 4 * 120 ms.
    EXPECT_NEAR(walkInEndedAt, 5920.0, 30.0);
    for (int k = 0; k < quoteCount; ++k)
        EXPECT_NEAR(quoteFirstShown[k], 9000.0 + 13000.0 * k, 300.0) << "quote " << k;
    ASSERT_GE(stopEndedAt, 0.0);
    EXPECT_GT(stopEndedAt - stopBeganAt, 10000.0);
    EXPECT_LT(stopEndedAt - stopBeganAt, 10100.0);
    EXPECT_NEAR(secondStopBeganAt - stopBeganAt, 35600.0, 200.0);
    EXPECT_GT(bannerLinesSeen, 10);
}

// One update at 1.25 scale with every angle away from zero, once walking and
// once halted at block 4, both while a bubble shows. Each expected value is
// the formula of the design worked out in double from the new phase.
TEST_F(Timeline, EveryMovingPartFollowsItsFormulaAtScale125)
{
    const double dt = 16.0;
    for (int block : {0, 4}) {
        SCOPED_TRACE(block == 4 ? "halted at block 4" : "walking past block 0");
        startSceneAt800x600();
        const double sx = scaleX, sy = scaleY;
        phase = 1.0f;
        frontCityBlock = block;
        standAtStop();
        santa.bob = 2.5f;
        bubbleVisible = 1;
        bubbleStage = 4;
        bubbleTime = 2500.0f;
        quoteIndex = 0;
        const float speeds[2] = {1.5f, -1.25f};
        for (int i = 0; i < 2; ++i) {
            cars[i]->x = 300.0f;
            cars[i]->angle = speeds[i];
        }
        update(dt);
        const double p = phase;
        ASSERT_NEAR(p, 1.032, 1e-6);

        const bool halted = block == 4;
        const struct {
            const char* what;
            float actual;
            double expected;
        } parts[] = {
            {"sun.x", sun.x, 500 * sx + 50 * sx * std::sin(0.5 * p)},
            {"sun.y", sun.y, 40 * sy + 20 * sy * std::cos(0.5 * p) * std::sin(0.5 * p) * std::sin(0.1 * p)},
            {"sun.angle", sun.angle, 7 * std::sin(p)},
            {"ray 0 angle: one turn per update", sunRays[0]->angle, std::sin(0.1 * p)},
            {"ray 5 angle", sunRays[5]->angle, 225 + std::sin(0.1 * p)},
            {"ray distance", sunRays[3]->y, 40 * sy + 5 * sy * std::sin(p)},
            {"santa.bob", santa.bob, halted ? 2.5 : 4 * sy * std::sin(5 * p)},
            {"hand: waves only at the stop", hand.angle,
             halted ? 10 * std::sin(4 * p) - 70 : -10 * std::sin(2.5 * p)},
            {"legs", legs.angle, halted ? 0.0 : 30 * std::sin(2.5 * p)},
            {"car 0 head", carHeads[0]->angle, 10 * std::sin(4 * p)},
            {"car 1 head", carHeads[1]->angle, 10 * std::sin(4 * p)},
            {"car 0 step", cars[0]->x, 300 + dt * 1.5 * sx * 0.1},
            {"car 1 step", cars[1]->x, 300 - dt * 1.25 * sx * 0.1},
        };
        for (const auto& part : parts)
            EXPECT_NEAR(part.actual, part.expected, 2e-3) << part.what;
    }
}

// Lanes and exits at 1.25 scale: sizes of the car and banner scale, the window
// edges do not, and the right-hand exit's 5 pixels stay unscaled.
TEST_F(Timeline, CarLanesAndExitsAtScale125)
{
    startSceneAt800x600();
    const float sx = scaleX, sy = scaleY;
    EXPECT_FLOAT_EQ(cars[0]->x, 800.0f) << "seed 300: car 0 from the right";
    EXPECT_FLOAT_EQ(cars[0]->y, 600.0f - (90.0f + 50.0f) * sy);
    EXPECT_FLOAT_EQ(cars[1]->x, -240.0f * sx) << "car 1 from the left";
    EXPECT_FLOAT_EQ(cars[1]->y, 600.0f - (90.0f + 90.0f) * sy);

    bannerLine = 1;  // 38 characters
    bannerCar = -1;
    const float leftExit = -(240.0f + 380.0f + 5.0f) * sx;
    const float rightExit = 800.0f + 380.0f * sx + 5.0f;
    const struct {
        float speed;
        float x;
        int stillActive;
    } edges[] = {
        {-1.0f, leftExit, 1}, {-1.0f, leftExit - 0.5f, 0},
        {1.0f, rightExit, 1}, {1.0f, rightExit + 0.5f, 0},
    };
    for (const auto& edge : edges) {
        carActive[0] = 1;
        cars[0]->angle = edge.speed;
        cars[0]->x = edge.x;
        update(0.0);
        EXPECT_EQ(carActive[0], edge.stillActive) << "speed " << edge.speed << " at x " << edge.x;
    }
}

// What the shutdown left, said on stderr as the process ends: the scene clock,
// the window and the sound library (closed: it refuses calls as uninitialised).
void reportWhatExitLeft()
{
    const bool soundClosed =
        !FSOUND_SetPaused(musicChannel, 0) && FSOUND_GetError() == FMOD_ERR_UNINITIALIZED;
    std::fprintf(stderr, "at exit: startTimer=%g, window %s, sound %s\n", startTimer,
                 glWindow ? "open" : "released", soundClosed ? "closed" : "open");
}

TEST(TimelineDeathTest, EscapeRunsCleanupAndExitsWithStatusZeroBeforeAnythingMoves)
{
    setUpScene();
    startPausedMusic();
    startTimer = 123.0f;
    glWindow->keys[27] = 1;
    EXPECT_EXIT(
        {
            std::atexit(reportWhatExitLeft);
            update(5000.0);
        },
        ::testing::ExitedWithCode(0), "at exit: startTimer=123, window released, sound closed\n");
    glWindow->keys[27] = 0;
    stopMusic();
    tearDownScene();
}

}  // namespace
