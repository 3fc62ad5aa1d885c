// Prints the cost of one update and one draw, and how many allocations are
// made while frames run.  Usage: show_bench [PACK]
#include "framescenes.h"
#include "glwindow.h"
#include "media.h"
#include "offscreen.h"
#include "render.h"
#include "scene.h"

#include <GL/gl.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <new>

extern "C" void* __libc_malloc(size_t size);
extern "C" void* __libc_calloc(size_t count, size_t size);
extern "C" void* __libc_realloc(void* block, size_t size);
extern "C" void __libc_free(void* block);

namespace {

bool counting = false;
long mallocCalls = 0;
long newCalls = 0;

}  // namespace

// Every allocation of the process, C and C++, passes through these while the
// benchmark counts.
extern "C" void* malloc(size_t size)
{
    if (counting)
        ++mallocCalls;
    return __libc_malloc(size);
}

extern "C" void* calloc(size_t count, size_t size)
{
    if (counting)
        ++mallocCalls;
    return __libc_calloc(count, size);
}

extern "C" void* realloc(void* block, size_t size)
{
    if (counting)
        ++mallocCalls;
    return __libc_realloc(block, size);
}

extern "C" void free(void* block)
{
    __libc_free(block);
}

void* operator new(size_t size)
{
    if (counting)
        ++newCalls;
    void* block = __libc_malloc(size ? size : 1);
    if (!block) {
        std::fputs("out of memory\n", stderr);
        std::abort();
    }
    return block;
}

void operator delete(void* block) noexcept
{
    __libc_free(block);
}

void operator delete(void* block, size_t) noexcept
{
    __libc_free(block);
}

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

void startCounting()
{
    mallocCalls = 0;
    newCalls = 0;
    counting = true;
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
    startCounting();
    const Clock::time_point start = Clock::now();
    for (int frame = 0; frame < frames; ++frame)
        update(1.0);  // about 33 minutes of scene time in 1 ms frames
    const double seconds = secondsSince(start);
    counting = false;
    std::printf("update: %.1f ns per call over %d calls; %ld mallocs, %ld news\n",
                seconds * 1e9 / frames, frames, mallocCalls, newCalls);
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

    startCounting();
    Clock::time_point start = Clock::now();
    for (int frame = 0; frame < frames; ++frame) {
        update(16.0);
        draw();
        glFinish();
    }
    const double sceneSeconds = secondsSince(start);
    counting = false;
    const long sceneMallocs = mallocCalls;
    const long sceneNews = newCalls;

    start = Clock::now();
    for (int frame = 0; frame < frames; ++frame) {
        glClear(GL_COLOR_BUFFER_BIT);
        glFinish();
    }
    const double clearSeconds = secondsSince(start);

    std::printf("draw %ux%u: %.3f ms per update+draw+finish, bare clear+finish %.3f ms, "
                "ratio %.1f; %ld mallocs (the GL driver's included), %ld news over %d frames\n",
                width, height, sceneSeconds * 1e3 / frames, clearSeconds * 1e3 / frames,
                sceneSeconds / clearSeconds, sceneMallocs, sceneNews, frames);
}

}  // namespace

int main(int argc, char** argv)
{
    const char* packPath = argc > 1 ? argv[1] : SHOW_DEFAULT_PACK;
    if (!openOffscreen(packPath)) {
        closeOffscreen();
        return 1;
    }
    benchUpdate();
    benchDraw(640, 480);
    benchDraw(800, 600);
    benchDraw(1024, 768);
    closeOffscreen();
    return 0;
}
