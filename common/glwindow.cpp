// The part of GLWindow that is the same everywhere: its life, the main loop and
// the frame timer.
#include "glwindow.h"

#include "reporterror.h"
#include "windowsystem.h"

#include <cstdlib>
#include <cstring>

GLWindow::GLWindow(ModuleInstance instanceHandle, const char* windowTitle, uint32_t requestedWidth,
                   uint32_t requestedHeight, uint32_t requestedBitsPerPixel, bool requestFullScreen)
    : shutdownCallback(nullptr), drawCallback(nullptr), resizeCallback(nullptr),
      updateCallback(nullptr), progressPosition(0), progressSteps(100), glContext(),
      deviceContext(), window(), dialog(), instance(instanceHandle), active(0), lastTickCount(0),
      dialogAccepted(0), dialogCancelled(0), width(requestedWidth), height(requestedHeight),
      bitsPerPixel(requestedBitsPerPixel), fullScreen(requestFullScreen ? 1 : 0), title(nullptr),
      chosenMode(nullptr), hasPerformanceCounter(0), secondsPerCount(0.0), lastTime(0.0), system()
{
    memset(keys, 0, sizeof keys);
    if (!windowTitle)
        windowTitle = "";
    size_t length = strlen(windowTitle);
    title = static_cast<char*>(malloc(length + 1));
    if (title)
        memcpy(title, windowTitle, length + 1);
}

GLWindow::~GLWindow()
{
    closeDialog();
    free(title);
    title = nullptr;
    for (DisplayMode* mode : modes)
        freeDisplayMode(mode);
    modes.clear();
    modes.shrink_to_fit();
    chosenMode = nullptr;
    closeWindow();
    endWindowSystem(this);
}

// The high-resolution counter when the system has one, else the tick count.
static void startFrameTimer(GLWindow* window)
{
    const uint64_t frequency = performanceFrequency();
    if (frequency != 0) {
        window->hasPerformanceCounter = 1;
        window->secondsPerCount = 1.0 / static_cast<double>(frequency);
        window->lastTime = static_cast<double>(performanceCounter()) * window->secondsPerCount;
    } else {
        window->hasPerformanceCounter = 0;
        reportError(true, "QueryPerformanceFrequency failed.  Reverting to system timer.\n");
        window->lastTickCount = tickCount();
    }
}

// Milliseconds since the previous frame. The tick count's difference is taken
// unsigned, so its wrap-around is harmless.
static double millisecondsSinceLastFrame(GLWindow* window)
{
    if (window->hasPerformanceCounter) {
        const double now = static_cast<double>(performanceCounter()) * window->secondsPerCount;
        const double elapsed = (now - window->lastTime) * 1000.0;
        window->lastTime = now;
        return elapsed;
    }
    const uint32_t now = tickCount();
    const uint32_t elapsed = now - window->lastTickCount;
    window->lastTickCount = now;
    return static_cast<double>(elapsed);
}

int GLWindow::run()
{
    startFrameTimer(this);
    while (waitForFrame(this)) {
        const double elapsed = millisecondsSinceLastFrame(this);
        if (updateCallback)
            updateCallback(elapsed);
        if (drawCallback)
            drawCallback();
        presentFrame(this);
    }

    closeWindow();
    // The callback may delete this GLWindow: nothing of it is touched afterwards.
    ShutdownCallback shutdown = shutdownCallback;
    return shutdown ? shutdown() : 0;
}
