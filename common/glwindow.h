// GLWindow: the one top-level window with its OpenGL context, the display-mode
// switch, the Setup dialog with its loading progress bar, and the main loop.
//
// What every platform shares is in this folder: the object's life, the main
// loop with its frame timer (glwindow.cpp), the mode list and the Setup
// dialog's choice (setupchoice.cpp). Each platform's folder holds what needs
// its own API: the window, the dialog's controls, the message boxes
// (windowsystem.h lists what it provides).
//
// The header needs no platform include: windowhandles.h declares the
// platform's handle types without its headers, so code that only reads the
// key table or the window size (the timeline, the renderer) builds anywhere.
#ifndef SNOWGIG_GLWINDOW_H
#define SNOWGIG_GLWINDOW_H

#include <cstdint>
#include <vector>

#include "windowhandles.h"

typedef int (*ShutdownCallback)();
typedef void (*DrawCallback)();
typedef void (*ResizeCallback)(int width, int height);
typedef void (*UpdateCallback)(double milliseconds);

class GLWindow {
public:
    GLWindow(ModuleInstance instance, const char* title, uint32_t width, uint32_t height,
             uint32_t bitsPerPixel, bool fullScreen);
    ~GLWindow();

    // Setup dialog and loading screen.
    bool showSelectDialog();
    int findMode(uint32_t width, uint32_t height, uint32_t bitsPerPixel) const;
    void setProgressRange(int steps);
    void setProgress(int position);
    void stepProgress();
    void closeDialog();

    void setResizeCallback(ResizeCallback callback) { resizeCallback = callback; }
    void setDrawCallback(DrawCallback callback) { drawCallback = callback; }
    void setUpdateCallback(UpdateCallback callback) { updateCallback = callback; }
    void setShutdownCallback(ShutdownCallback callback) { shutdownCallback = callback; }

    bool createWindow();
    uint32_t getWidth() const { return width; }
    uint32_t getHeight() const { return height; }
    void show();
    int run();
    void closeWindow();

    int32_t keys[256];
    ShutdownCallback shutdownCallback;
    DrawCallback drawCallback;
    ResizeCallback resizeCallback;
    UpdateCallback updateCallback;
    int32_t progressPosition;
    int32_t progressSteps;  // the loading bar runs from 0 to this
    GLContextHandle glContext;
    DeviceContextHandle deviceContext;
    WindowHandle window;
    DialogHandle dialog;
    ModuleInstance instance;
    int32_t active;
    uint32_t lastTickCount;
    int32_t dialogAccepted;
    int32_t dialogCancelled;
    uint32_t width;
    uint32_t height;
    uint32_t bitsPerPixel;
    int32_t fullScreen;
    char* title;
    DisplayMode* chosenMode;
    std::vector<DisplayMode*> modes;
    int32_t hasPerformanceCounter;
    double secondsPerCount;
    double lastTime;
    // What only the platform's own part keeps.
    WindowSystemState system;
};

#endif
