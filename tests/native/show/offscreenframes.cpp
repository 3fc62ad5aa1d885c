#include "offscreenframes.h"

#include "framescenes.h"
#include "glwindow.h"
#include "media.h"
#include "render.h"

#include <GL/gl.h>

void prepareFrame(uint32_t width, uint32_t height)
{
    setOffscreenSize(width, height);
    resetFrameScene();
}

Picture renderFrame()
{
    draw();
    glFinish();
    return pictureFromColourBuffer(offscreenPixels(), glWindow->getWidth(), glWindow->getHeight());
}
