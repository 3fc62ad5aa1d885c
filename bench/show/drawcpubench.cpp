// The show's own cost of one draw with the GL calls as no-ops, and the
// allocations made by update and draw while frames run (the goal is none).
#include "allocationcounter.h"
#include "media.h"
#include "render.h"
#include "scene.h"
#include "sceneharness.h"
#include "texture.h"

#include <chrono>
#include <cstdio>

namespace {

using Clock = std::chrono::steady_clock;

void makeTextures()
{
    texTandrix = makeTexture(1, 300, 200);
    texSun = makeTexture(2, 64, 64);
    texSunray = makeTexture(3, 16, 32);
    texLeg = makeTexture(4, 30, 60);
    texHand = makeTexture(6, 20, 50);
    texBalloons = makeTexture(7, 256, 256);
    texFont = makeTexture(8, 256, 256);
    texSantaHead = makeTexture(15, 40, 40);
    for (unsigned int k = 0; k < 5; ++k)
        texCityblocks[k] = makeTexture(10 + k, 512, 512);
    for (unsigned int k = 0; k < 4; ++k)
        texTyres[k] = makeTexture(20 + k, 30, 30);
}

}  // namespace

int main()
{
    setUpScene();
    makeTextures();
    for (int frame = 0; frame < 1000 && showLogo; ++frame)
        update(16.0);

    // Two minutes of scene in 2 ms frames: bubbles with quotes, stops, and
    // many car trips with banner lines.
    const int frames = 60000;
    startCountingAllocations();
    const Clock::time_point start = Clock::now();
    double drawSeconds = 0;
    for (int frame = 0; frame < frames; ++frame) {
        update(2.0);
        const Clock::time_point drawStart = Clock::now();
        draw();
        drawSeconds += std::chrono::duration<double>(Clock::now() - drawStart).count();
    }
    const double totalSeconds = std::chrono::duration<double>(Clock::now() - start).count();
    const AllocationCount count = stopCountingAllocations();

    std::printf("draw without GL work: %.0f ns per frame; update+draw %.0f ns per frame\n",
                drawSeconds * 1e9 / frames, totalSeconds * 1e9 / frames);
    std::printf("allocations over %d frames of update and draw: %ld mallocs, %ld news\n",
                frames, count.mallocs, count.news);
    return count.mallocs == 0 && count.news == 0 ? 0 : 1;
}
