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

bool startDemo(ModuleInstance instance)
{
    glWindow = new GLWindow(instance, "snowgig", 640, 480, 32, true);
    if (!glWindow->showSelectDialog())
        return false;
    glWindow->setProgressRange(loadingSteps);
    if (!loadData())
        return false;

    glWindow->setResizeCallback(resize);
    glWindow->setDrawCallback(draw);
    glWindow->setUpdateCallback(update);
    glWindow->setShutdownCallback(cleanup);
    if (!glWindow->createWindow())
        return false;

    if (initExtensions() != 0) {
        showMessage("Couldn't initialise OpenGL extension mechanism.");
        return false;
    }
    if (!openGL12) {
        showMessage("This demo requires OpenGL 1.2 or better.");
        return false;
    }
    setupGL();
    glWindow->stepProgress();
    if (!uploadTextures())
        return false;

    seedRandom(300);
    glWindow->closeDialog();
    glWindow->show();
    return true;
}

void runDemo(ModuleInstance instance)
{
    if (startDemo(instance))
        glWindow->run();
}
