// GLWindow in a web page: a canvas with a WebGL context behind Emscripten's
// fixed-function emulation (made through its SDL 1), the page's Setup form
// with its loading bar, in-page error boxes, and the main loop on the
// browser's animation frames. The page's side is web/page.js.
//
// The program runs as on the desktop, from the Setup form to the end of the
// main loop, in one call: wherever the desktop would block (waiting for the
// form, for an error box's OK, for the next frame) the program yields to the
// browser and carries on when the page calls it back.
#ifndef SNOWGIG_GLWINDOW_H
#define SNOWGIG_GLWINDOW_H

#include <cstdint>
#include <vector>

#include "modefilter.h"

struct SDL_Surface;

// Whatever the program entry hands the window; nothing in the page needs it.
typedef void* ModuleInstance;

// A display mode as the Setup form lists it: width, height, colour depth and
// refresh rate (0: the display's own).
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

    // Setup form and loading bar (setupdialog.cpp). After OK the form also
    // waits for the page's download of the data file.
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
    SDL_Surface* surface;
    int32_t dialog;  // the Setup form is on the page
    ModuleInstance instance;
    int32_t active;
    int32_t dialogAccepted;
    int32_t dialogCancelled;
    uint32_t width;
    uint32_t height;
    uint32_t bitsPerPixel;
    int32_t fullScreen;
    char* title;
    DisplayMode* chosenMode;
    std::vector<DisplayMode*> modes;
    double lastTime;  // milliseconds, the page's clock at the previous frame
};

#endif
