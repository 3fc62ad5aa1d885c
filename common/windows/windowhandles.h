// The Win32 types GLWindow holds, declared exactly as <windows.h> declares
// them, so that glwindow.h needs no platform header.
#ifndef SNOWGIG_WINDOWHANDLES_H
#define SNOWGIG_WINDOWHANDLES_H

#include <cstdint>

#include "modefilter.h"

struct HWND__;
struct HDC__;
struct HGLRC__;
struct HINSTANCE__;
struct _devicemodeA;
typedef HWND__* HWND;
typedef HDC__* HDC;
typedef HGLRC__* HGLRC;
typedef HINSTANCE__* HINSTANCE;

typedef HWND WindowHandle;
typedef HWND DialogHandle;
typedef HDC DeviceContextHandle;
typedef HGLRC GLContextHandle;

// What the program entry hands the window: the module's instance handle.
typedef HINSTANCE ModuleInstance;

// The platform's display-mode record (DEVMODEA) as the mode enumeration fills it.
typedef struct _devicemodeA DisplayMode;

// The width, height, depth and refresh rate of a DEVMODEA.
ModeFields modeFieldsOf(const DisplayMode& mode);

struct WindowSystemState {
    // Set while the display mode is switched and the cursor hidden by show, so
    // that closeWindow undoes only what was done, and only once.
    int32_t displayModeSwitched;
    // Set while a full-screen show is minimised because the user switched
    // away: activating it again switches the display mode back.
    int32_t displayModeSuspended;
    // Set while the show asks the system to keep the display on.
    int32_t keepingDisplayOn;
};

#endif
