// GLWindow on Linux: an SDL2 window with its GL context, full screen, the
// event pump and the frame timer's clocks.
#include "glwindow.h"

#include "reporterror.h"
#include "virtualkeys.h"
#include "windowfailure.h"
#include "windowsystem.h"

#include <SDL2/SDL.h>

#include <cstdlib>
#include <cstring>
#include <string>

// Colour sizes of a pixel of the requested depth: 5-6-5 for 16 bits, 8-8-8 above.
static void requestPixelFormat(uint32_t bitsPerPixel)
{
    const bool highColour = bitsPerPixel <= 16;
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, highColour ? 5 : 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, highColour ? 6 : 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, highColour ? 5 : 8);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 8);
    // A compatibility context: the show draws in immediate mode.
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
}

bool GLWindow::createWindow()
{
    if (!SDL_WasInit(SDL_INIT_VIDEO) && SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        REPORT_WINDOW_FAILURE();
        return false;
    }
    requestPixelFormat(bitsPerPixel);
    window = SDL_CreateWindow(title ? title : "", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                              static_cast<int>(width), static_cast<int>(height),
                              SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    if (!window) {
        REPORT_WINDOW_FAILURE();
        return false;
    }
    glContext = SDL_GL_CreateContext(window);
    if (!glContext) {
        // Closing the window could overwrite SDL's text of the failure.
        std::string failure = SDL_GetError();
        closeWindow();
        SDL_SetError("%s", failure.c_str());
        REPORT_WINDOW_FAILURE();
        return false;
    }
    if (SDL_GL_MakeCurrent(window, glContext) != 0) {
        std::string failure = SDL_GetError();
        closeWindow();
        SDL_SetError("%s", failure.c_str());
        REPORT_WINDOW_FAILURE();
        return false;
    }

    if (resizeCallback)
        resizeCallback(static_cast<int>(width), static_cast<int>(height));
    memset(keys, 0, sizeof keys);
    return true;
}

void GLWindow::show()
{
    if (fullScreen) {
        SDL_DisplayMode mode = {};
        mode.w = static_cast<int>(width);
        mode.h = static_cast<int>(height);
        // Without a mode picked in the Setup dialog the display's default rate is asked for.
        mode.refresh_rate = chosenMode ? static_cast<int>(chosenMode->refreshRate) : 0;
        // The desktop's own mode needs no switch: the window just covers the
        // screen, without the blank moment a mode change costs.
        SDL_DisplayMode desktop = {};
        const bool desktopMode =
            SDL_GetDesktopDisplayMode(SDL_GetWindowDisplayIndex(window), &desktop) == 0 &&
            desktop.w == mode.w && desktop.h == mode.h &&
            (mode.refresh_rate == 0 || desktop.refresh_rate == mode.refresh_rate);
        const Uint32 fullScreenFlag =
            desktopMode ? SDL_WINDOW_FULLSCREEN_DESKTOP : SDL_WINDOW_FULLSCREEN;
        // Where no window manager places full-screen windows, the window would
        // stay where it was centred on the desktop, shifted and cut off once a
        // smaller mode is set: it goes to the display's corner first (SDL
        // leaves a full-screen window's position alone).
        SDL_Rect bounds = {};
        if (SDL_GetDisplayBounds(SDL_GetWindowDisplayIndex(window), &bounds) == 0)
            SDL_SetWindowPosition(window, bounds.x, bounds.y);
        if ((desktopMode || SDL_SetWindowDisplayMode(window, &mode) == 0) &&
            SDL_SetWindowFullscreen(window, fullScreenFlag) == 0) {
            SDL_ShowCursor(SDL_DISABLE);
            system.cursorHidden = 1;
        } else {
            reportError(false, "Couldn't set full-screen video mode, using windowed.");
            fullScreen = 0;
            SDL_SetWindowFullscreen(window, 0);
            SDL_SetWindowSize(window, static_cast<int>(width), static_cast<int>(height));
            SDL_SetWindowPosition(window, 0, 0);
        }
    }
    SDL_ShowWindow(window);
    // Shown windows take the keyboard, as on Windows, even where no window
    // manager hands it over.
    SDL_RaiseWindow(window);
    SDL_SetWindowInputFocus(window);
    active = 1;
}

// What the window's events do; true when the loop is to end (a quit request).
static bool handleEvent(GLWindow* owner, const SDL_Event& event)
{
    switch (event.type) {
    case SDL_QUIT:
        return true;
    case SDL_WINDOWEVENT:
        switch (event.window.event) {
        case SDL_WINDOWEVENT_MINIMIZED:
            owner->active = 0;
            break;
        case SDL_WINDOWEVENT_RESTORED:
        case SDL_WINDOWEVENT_MAXIMIZED:
        case SDL_WINDOWEVENT_SIZE_CHANGED: {
            int newWidth = 0;
            int newHeight = 0;
            SDL_GetWindowSize(owner->window, &newWidth, &newHeight);
            owner->active = 1;
            if (owner->resizeCallback)
                owner->resizeCallback(newWidth, newHeight);
            owner->width = static_cast<uint32_t>(newWidth);
            owner->height = static_cast<uint32_t>(newHeight);
            break;
        }
        case SDL_WINDOWEVENT_CLOSE: {
            // The callback may delete the GLWindow, so it is fetched first.
            ShutdownCallback shutdown = owner->shutdownCallback;
            if (shutdown)
                shutdown();
            SDL_Quit();
            exit(0);
        }
        default:
            break;
        }
        break;
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
        int code = virtualKeyOf(event.key.keysym.sym);
        if (code >= 0 && code < 256)
            owner->keys[code] = event.type == SDL_KEYDOWN ? 1 : 0;
        break;
    }
    default:
        break;
    }
    return false;
}

uint64_t performanceFrequency()
{
    return SDL_GetPerformanceFrequency();
}

uint64_t performanceCounter()
{
    return SDL_GetPerformanceCounter();
}

uint32_t tickCount()
{
    return SDL_GetTicks();
}

bool waitForFrame(GLWindow* owner)
{
    SDL_Event event;
    for (;;) {
        if (SDL_PollEvent(&event)) {
            if (handleEvent(owner, event))
                return false;
            continue;
        }
        if (!owner->active) {
            if (SDL_WaitEvent(&event) && handleEvent(owner, event))
                return false;
            continue;
        }
        return true;
    }
}

void presentFrame(GLWindow* owner)
{
    SDL_GL_SwapWindow(owner->window);
}

void endWindowSystem(GLWindow*)
{
    if (SDL_WasInit(SDL_INIT_VIDEO))
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

void GLWindow::closeWindow()
{
    if (glContext) {
        SDL_GL_MakeCurrent(window, nullptr);
        SDL_GL_DeleteContext(glContext);
        glContext = nullptr;
    }
    if (window) {
        // Leaving full screen first puts the display's own mode back.
        if (fullScreen)
            SDL_SetWindowFullscreen(window, 0);
        SDL_DestroyWindow(window);
        window = nullptr;
    }
    if (system.cursorHidden) {
        SDL_ShowCursor(SDL_ENABLE);
        system.cursorHidden = 0;
    }
}
