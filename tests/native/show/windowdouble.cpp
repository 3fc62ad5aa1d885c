// The window as the show sees it natively: only the key table and the size are
// read, so the constructor fills in just those.
#include "glwindow.h"

#include <cstring>

GLWindow::GLWindow(HINSTANCE instanceHandle, const char*, uint32_t windowWidth,
                   uint32_t windowHeight, uint32_t bits, bool full)
    : shutdownCallback(nullptr), drawCallback(nullptr), resizeCallback(nullptr),
      updateCallback(nullptr), progressPosition(0), glContext(nullptr),
      deviceContext(nullptr), window(nullptr), dialog(nullptr), instance(instanceHandle),
      active(1), lastTickCount(0), dialogAccepted(0), dialogCancelled(0), width(windowWidth),
      height(windowHeight), bitsPerPixel(bits), fullScreen(full), title(nullptr),
      chosenMode(nullptr), hasPerformanceCounter(0), secondsPerCount(0), lastTime(0),
      displayModeSwitched(0)
{
    std::memset(keys, 0, sizeof keys);
}

GLWindow::~GLWindow() {}
