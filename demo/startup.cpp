#include "startup.h"

#include <cstdlib>

#include "glextensions.h"
#include "glstate.h"
#include "loading.h"
#include "media.h"
#include "random.h"
#include "render.h"
#include "reporterror.h"
#include "scene.h"

void runDemo(ModuleInstance instance)
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
        showMessage("Couldn't initialise OpenGL extension mechanism.");
        return;
    }
    if (!openGL12) {
        showMessage("This demo requires OpenGL 1.2 or better.");
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
