// The program entry: Setup dialog, loading screen, window, main loop, shutdown.
#include <windows.h>

#include <cstdlib>

#include "glextensions.h"
#include "glwindow.h"
#include "glstate.h"
#include "loading.h"
#include "media.h"
#include "random.h"
#include "render.h"
#include "scene.h"

namespace {

// Runs the show; returns when it ends through the main loop or start-up fails.
void runDemo(HINSTANCE instance)
{
    glWindow = new GLWindow(instance, "snowgig", 640, 480, 32, true);
    if (!glWindow->showSelectDialog())
        return;
    glWindow->setProgressRange(loadingSteps);
    if (!loadData())
        return;

    glWindow->setResizeCallback(resize);
    glWindow->setDrawCallback(draw);
    glWindow->setUpdateCallback(update);
    glWindow->setShutdownCallback(cleanup);
    if (!glWindow->createWindow())
        return;

    if (initExtensions() != 0) {
        MessageBoxA(nullptr, "Couldn't initialise OpenGL extension mechanism.", "", MB_OK);
        return;
    }
    if (!openGL12) {
        MessageBoxA(nullptr, "This demo requires OpenGL 1.2 or better.", "", MB_OK);
        return;
    }
    setupGL();
    glWindow->stepProgress();
    if (!uploadTextures())
        return;

    seedRandom(300);
    glWindow->closeDialog();
    glWindow->show();
    glWindow->run();
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    runDemo(instance);
    cleanup();
    return 0;
}
