// Prints the cost of one update and one draw, and how many allocations are
// made while frames run.  Usage: show_bench [PACK]
#include "allocationcounter.h"
#include "framescenes.h"
#include "glwindow.h"
#include "media.h"
#include "offscreenframes.h"
#include "render.h"
#include "scene.h"

#include <GL/gl.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

void runIntro()
{
    for (int frame = 0; frame < 1000 && showLogo; ++frame)
        update(16.0);
}

void benchUpdate()
{
    prepareFrame(640, 480);
    startTimer = 0;
    showLogo = 1;
    runIntro();
    const int frames = 2000000;
    startCountingAllocations();
    const Clock::time_point start = Clock::now();
    for (int frame = 0; frame < frames; ++frame)
        update(1.0);  // about 33 minutes of scene time in 1 ms frames
    const double seconds = secondsSince(start);
    const AllocationCount count = stopCountingAllocations();
    std::printf("update: %.1f ns per call over %d calls; %ld mallocs, %ld news\n",
                seconds * 1e9 / frames, frames, count.mallocs, count.news);
}

void benchDraw(uint32_t width, uint32_t height)
{
    const FrameScene* scene = findFrameScene("scene-800x600");
    prepareFrame(width, height);
    scene->pose();
    const int frames = 300;
    for (int frame = 0; frame < 20; ++frame) {
        draw();
        glFinish();
    }

    startCountingAllocations();
    Clock::time_point start = Clock::now();
    for (int frame = 0; frame < frames; ++frame) {
        update(16.0);
        draw();
        glFinish();
    }
    const double sceneSeconds = secondsSince(start);
    const AllocationCount count = stopCountingAllocations();

    start = Clock::now();
    for (int frame = 0; frame < frames; ++frame) {
        glClear(GL_COLOR_BUFFER_BIT);
        glFinish();
    }
    const double clearSeconds = secondsSince(start);

    std::printf("draw %ux%u: %.3f ms per update+draw+finish, bare clear+finish %.3f ms, "
                "ratio %.1f; %ld mallocs (the GL driver's included), %ld news over %d frames\n",
                width, height, sceneSeconds * 1e3 / frames, clearSeconds * 1e3 / frames,
                sceneSeconds / clearSeconds, count.mallocs, count.news, frames);
}

}  // namespace

int main(int argc, char** argv)
{
    const char* packPath = argc > 1 ? argv[1] : SHOW_DEFAULT_PACK;
    if (!startFrames(packPath)) {
        endFrames();
        return 1;
    }
    benchUpdate();
    benchDraw(640, 480);
    benchDraw(800, 600);
    benchDraw(1024, 768);
    endFrames();
    return 0;
}
