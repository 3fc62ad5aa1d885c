// GLWindow without a screen: an OSMesa context drawing into a colour buffer in
// memory, a frame clock that advances exactly one frame per presented frame,
// and the frames handed to whoever asked for them.
#include "glwindow.h"

#include "headlesswindow.h"
#include "reporterror.h"
#include "windowsystem.h"

#include <GL/osmesa.h>
#include <GL/gl.h>

#include <cstring>
#include <new>
#include <vector>

struct HeadlessBuffer {
    std::vector<unsigned char> rgba;
};

namespace {

HeadlessFrameSink frameSink = nullptr;
GLWindow* current = nullptr;

// Counts of the frame clock per second: one frame is a whole number of them.
const uint64_t clockFrequency = 600000;

bool bindBuffer(GLWindow* owner, uint32_t bufferWidth, uint32_t bufferHeight)
{
    owner->window->rgba.assign(size_t(bufferWidth) * bufferHeight * 4, 0);
    if (!OSMesaMakeCurrent(owner->glContext, owner->window->rgba.data(), GL_UNSIGNED_BYTE,
                           GLsizei(bufferWidth), GLsizei(bufferHeight))) {
        reportError(false, "Couldn't draw off screen at %u x %u.", bufferWidth, bufferHeight);
        return false;
    }
    return true;
}

}  // namespace

void setHeadlessFrameSink(HeadlessFrameSink sink)
{
    frameSink = sink;
}

const unsigned char* headlessPixels()
{
    return current && current->window ? current->window->rgba.data() : nullptr;
}

bool resizeHeadlessWindow(GLWindow* owner, uint32_t newWidth, uint32_t newHeight)
{
    if (!owner->window || !bindBuffer(owner, newWidth, newHeight))
        return false;
    if (owner->resizeCallback)
        owner->resizeCallback(static_cast<int>(newWidth), static_cast<int>(newHeight));
    owner->width = newWidth;
    owner->height = newHeight;
    return true;
}

bool GLWindow::createWindow()
{
    // The show draws with the depth test off, in the order things overlap:
    // colour is all the context needs.
    glContext = OSMesaCreateContextExt(OSMESA_RGBA, 0, 0, 0, nullptr);
    window = new (std::nothrow) HeadlessBuffer;
    if (!glContext || !window) {
        closeWindow();
        reportError(false, "Couldn't create an off-screen OpenGL context.");
        return false;
    }
    if (!bindBuffer(this, width, height)) {
        closeWindow();
        return false;
    }
    current = this;
    system.framesPresented = 0;
    system.ended = 0;
    if (resizeCallback)
        resizeCallback(static_cast<int>(width), static_cast<int>(height));
    memset(keys, 0, sizeof keys);
    return true;
}

// Nothing is shown: the window counts as shown, and active, at once.
void GLWindow::show()
{
    active = 1;
}

uint64_t performanceFrequency()
{
    return clockFrequency;
}

uint64_t performanceCounter()
{
    return current ? current->system.framesPresented * (clockFrequency / headlessFrameRate) : 0;
}

uint32_t tickCount()
{
    return static_cast<uint32_t>(performanceCounter() / (clockFrequency / 1000));
}

bool waitForFrame(GLWindow* owner)
{
    return !owner->system.ended;
}

void presentFrame(GLWindow* owner)
{
    glFinish();
    owner->system.framesPresented++;
    if (frameSink && !frameSink(owner->window->rgba.data(), owner->width, owner->height)) {
        // The sink has all it wants: the loop ends at its next wait, as after
        // a quit request.
        owner->system.ended = 1;
    }
}

void endWindowSystem(GLWindow*) {}

void GLWindow::closeWindow()
{
    if (glContext) {
        OSMesaDestroyContext(glContext);
        glContext = nullptr;
    }
    delete window;
    window = nullptr;
    if (current == this)
        current = nullptr;
}
