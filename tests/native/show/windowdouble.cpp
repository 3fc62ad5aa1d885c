// The window as the show sees it natively: only the key table and the size are
// read, so the constructor fills in just the fields every platform's GLWindow has.
#include "glwindow.h"

#include <cstring>

GLWindow::GLWindow(ModuleInstance instanceHandle, const char*, uint32_t windowWidth,
                   uint32_t windowHeight, uint32_t bits, bool full)
{
    std::memset(keys, 0, sizeof keys);
    shutdownCallback = nullptr;
    drawCallback = nullptr;
    resizeCallback = nullptr;
    updateCallback = nullptr;
    progressPosition = 0;
    glContext = nullptr;
    window = nullptr;
    dialog = nullptr;
    instance = instanceHandle;
    active = 1;
    dialogAccepted = 0;
    dialogCancelled = 0;
    width = windowWidth;
    height = windowHeight;
    bitsPerPixel = bits;
    fullScreen = full;
    title = nullptr;
    chosenMode = nullptr;
}

GLWindow::~GLWindow() {}
