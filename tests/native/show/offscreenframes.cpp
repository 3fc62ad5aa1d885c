#include "offscreenframes.h"

#include "framescenes.h"
#include "glwindow.h"
#include "headlessdata.h"
#include "headlesswindow.h"
#include "media.h"
#include "render.h"
#include "startup.h"

#include <GL/gl.h>

#include <string>

bool startFrames(const char* packPath)
{
    std::string folder;
    if (!headlessPackFolder(packPath, folder))
        return false;
    setHeadlessDataFolder(folder);
    return startDemo(nullptr);
}

void endFrames()
{
    cleanup();
}

void prepareFrame(uint32_t width, uint32_t height)
{
    resizeHeadlessWindow(glWindow, width, height);
    setScaleFor(width, height);
    resetFrameScene();
}

Picture renderFrame()
{
    draw();
    glFinish();
    return pictureFromColourBuffer(headlessPixels(), glWindow->getWidth(), glWindow->getHeight());
}
