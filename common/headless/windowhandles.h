// What GLWindow holds without a screen: an OSMesa context drawing into a
// colour buffer in memory. Declared without OSMesa's header.
#ifndef SNOWGIG_WINDOWHANDLES_H
#define SNOWGIG_WINDOWHANDLES_H

#include <cstdint>

#include "modefilter.h"

struct osmesa_context;
struct HeadlessBuffer;

// The colour buffer stands for the window; there is no dialog and no device
// context, they stay null.
typedef HeadlessBuffer* WindowHandle;
typedef void* DialogHandle;
typedef osmesa_context* GLContextHandle;  // OSMesaContext
typedef void* DeviceContextHandle;

// Whatever the program entry hands the window; nothing headless needs it.
typedef void* ModuleInstance;

// The one mode the Setup dialog offers (setHeadlessMode).
typedef ModeFields DisplayMode;

struct WindowSystemState {
    // Frames presented since the window was created: the clock's position.
    uint64_t framesPresented;
    // Set once the frame sink has refused a frame: the main loop ends.
    int32_t ended;
};

#endif
