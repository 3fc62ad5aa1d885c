// What GLWindow holds in a web page: the canvas's surface from Emscripten's
// SDL 1 and its WebGL context. The Setup form is the page's own.
#ifndef SNOWGIG_WINDOWHANDLES_H
#define SNOWGIG_WINDOWHANDLES_H

#include <cstdint>

#include "modefilter.h"

struct SDL_Surface;

typedef SDL_Surface* WindowHandle;
typedef int32_t DialogHandle;     // non-zero while the Setup form is on the page
typedef intptr_t GLContextHandle;  // the canvas's WebGL context (0: none)
// WebGL draws to the canvas itself: there is no device context, it stays null.
typedef void* DeviceContextHandle;

// Whatever the program entry hands the window; nothing in the page needs it.
typedef void* ModuleInstance;

// A display mode as the Setup form lists it: width, height, colour depth and
// refresh rate (0: the display's own).
typedef ModeFields DisplayMode;

struct WindowSystemState {
};

#endif
