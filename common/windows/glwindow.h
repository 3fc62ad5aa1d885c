// GLWindow: the one top-level window with its OpenGL context, the display-mode
// switch, the Setup dialog with its loading progress bar, and the main loop.
//
// The header needs no platform include: the Win32 handle types are declared
// exactly as <windows.h> declares them, so code that only reads the key table or
// the window size (the timeline, the renderer) builds natively too.
#ifndef SNOWGIG_GLWINDOW_H
#define SNOWGIG_GLWINDOW_H

#include <cstdint>
#include <vector>

struct HWND__;
struct HDC__;
struct HGLRC__;
struct HINSTANCE__;
struct _devicemodeA;
typedef HWND__* HWND;
typedef HDC__* HDC;
typedef HGLRC__* HGLRC;
typedef HINSTANCE__* HINSTANCE;

// What the program entry hands the window: the module's instance handle.
typedef HINSTANCE ModuleInstance;

// The platform's display-mode record (DEVMODEA) as the mode enumeration fills it.
typedef struct _devicemodeA DisplayMode;

typedef int (*ShutdownCallback)();
typedef void (*DrawCallback)();
typedef void (*ResizeCallback)(int width, int height);
typedef void (*UpdateCallback)(double milliseconds);

class GLWindow {
public:
    GLWindow(HINSTANCE instance, const char* title, uint32_t width, uint32_t height,
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
    HGLRC glContext;
    HDC deviceContext;
    HWND window;
    HWND dialog;
    HINSTANCE instance;
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
