// The Setup dialog without a screen: it lists the one mode set for this run
// and takes it at once, windowed; the loading bar has nothing to paint.
#include "glwindow.h"

#include "headlesswindow.h"
#include "windowsystem.h"

#include <new>

namespace {

ModeFields headlessMode = {640, 480, 32, 0};

}  // namespace

void setHeadlessMode(uint32_t width, uint32_t height)
{
    headlessMode = ModeFields{width, height, 32, 0};
}

bool prepareSetupDialog(GLWindow*)
{
    return true;
}

DisplayMode* readDisplayMode(int number)
{
    if (number != 0)
        return nullptr;
    return new (std::nothrow) DisplayMode(headlessMode);
}

void freeDisplayMode(DisplayMode* mode)
{
    delete mode;
}

bool openSetupDialog(GLWindow*)
{
    return true;
}

bool waitForSetupChoice(GLWindow* owner)
{
    acceptSetupChoice(owner, 0, false);
    return true;
}

void lockSetupDialog(GLWindow*) {}

void showProgress(GLWindow*) {}

void GLWindow::closeDialog()
{
    dialog = nullptr;
}
