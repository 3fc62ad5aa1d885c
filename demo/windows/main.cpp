// The Windows program entry.
#include <windows.h>

#include "media.h"
#include "startup.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    runDemo(instance);
    cleanup();
    return 0;
}
