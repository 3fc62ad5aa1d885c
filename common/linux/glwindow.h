// GLWindow: the one top-level window with its OpenGL context, the display-mode
// switch, the Setup dialog with its loading progress bar, and the main loop,
// over SDL2 (window, context, events) and GTK 3 (the Setup dialog).
//
// The header needs neither SDL nor GTK: code that only reads the key table or
// the window size (the timeline, the renderer) builds without them.
#ifndef SNOWGIG_GLWINDOW_H
#define SNOWGIG_GLWINDOW_H

#include <cstdint>
#include <vector>

#include "modefilter.h"

struct SDL_Window;
struct _GtkWidget;

// Whatever the program entry hands the window; nothing on Linux needs it.
typedef void* ModuleInstance;

// A display mode as the Setup dialog lists it: width, height, colour depth and
// refresh rate (0 when the display does not say).
typedef ModeFields DisplayMode;

typedef int (*ShutdownCallback)();
typedef void (*DrawCallback)();
typedef void (*ResizeCallback)(int width, int height);
typedef void (*UpdateCallback)(double milliseconds);

class GLWindow {
public:
    GLWindow(ModuleInstance instance, const char* title, uint32_t width, uint32_t height,
             uint32_t bitsPerPixel, bool fullScreen);
    ~GLWindow();

    // Setup dialog and loading screen (setupdialog.cpp).
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
    int32_t progressSteps;
    void* glContext;
    SDL_Window* window;
    _GtkWidget* dialog;
    ModuleInstance instance;
    int32_t active;
    uint32_t lastTickCount;
    int32_t dialogAccepted;
    int32_t dialogCancelled;
    uint32_t width;
    uint32_t height;
    uint32_t bitsPerPixel;
    int32_t fullScreen;
    int32_t cursorHidden;
    char* title;
    DisplayMode* chosenMode;
    std::vector<DisplayMode*> modes;
    int32_t hasPerformanceCounter;
    double secondsPerCount;
    double lastTime;
};

#endif
