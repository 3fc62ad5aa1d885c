// What GLWindow holds on Linux: an SDL2 window with its GL context, and the
// Setup dialog as a GTK 3 window. Declared without SDL's or GTK's headers.
#ifndef SNOWGIG_WINDOWHANDLES_H
#define SNOWGIG_WINDOWHANDLES_H

#include <cstdint>

#include "modefilter.h"

struct SDL_Window;
struct _GtkWidget;

typedef SDL_Window* WindowHandle;
typedef _GtkWidget* DialogHandle;
typedef void* GLContextHandle;  // SDL_GLContext
// SDL draws to the window itself: there is no device context, it stays null.
typedef void* DeviceContextHandle;

// Whatever the program entry hands the window; nothing on Linux needs it.
typedef void* ModuleInstance;

// A display mode as the Setup dialog lists it: width, height, colour depth and
// refresh rate (0 when the display does not say).
typedef ModeFields DisplayMode;

struct WindowSystemState {
    // Set while show has hidden the cursor over the full-screen show.
    int32_t cursorHidden;
};

#endif
