// GLWindow in a web page: a canvas with a WebGL context behind Emscripten's
// fixed-function emulation (made through its SDL 1), keys from the page's
// keyboard events, and the main loop on the browser's animation frames. The
// page's side is web/page.js.
//
// The program runs as on the desktop, from the Setup form to the end of the
// main loop, in one call: wherever the desktop would block (waiting for the
// form, for an error box's OK, for the next frame) the program yields to the
// browser and carries on when the page calls it back.
#include "glwindow.h"

#include "pagecalls.h"
#include "reporterror.h"
#include "sdllisteners.h"
#include "webglquirks.h"
#include "windowfailure.h"
#include "windowsystem.h"

#include <SDL/SDL.h>
#include <emscripten.h>
#include <emscripten/html5.h>

#include <cstdlib>
#include <cstring>

namespace {

GLWindow* keyOwner = nullptr;

// Keys pressed since the last update, and those of them already released: a
// press and release between two animation frames (a quick tap, or keys sent
// by a program) still shows as down to the next update.
bool pressedSinceUpdate[256];
bool releasedSinceUpdate[256];

// The page's key codes are the virtual-key codes the show reads (Escape is
// 27, letters their capitals, digits their characters).
EM_BOOL onKey(int eventType, const EmscriptenKeyboardEvent* event, void*)
{
    if (!keyOwner || event->keyCode >= 256)
        return EM_FALSE;
    const unsigned long code = event->keyCode;
    if (eventType == EMSCRIPTEN_EVENT_KEYDOWN) {
        keyOwner->keys[code] = 1;
        pressedSinceUpdate[code] = true;
        releasedSinceUpdate[code] = false;
    } else if (pressedSinceUpdate[code]) {
        releasedSinceUpdate[code] = true;
    } else {
        keyOwner->keys[code] = 0;
    }
    return EM_FALSE;
}

// After an update: the releases held back for it take effect.
void releaseTappedKeys(GLWindow* owner)
{
    for (int code = 0; code < 256; code++) {
        if (releasedSinceUpdate[code])
            owner->keys[code] = 0;
        pressedSinceUpdate[code] = false;
        releasedSinceUpdate[code] = false;
    }
}

// The browser leaves full screen on Escape by itself and may keep that key
// from the page: leaving full screen while the show runs in it counts as the
// Escape key, which ends the show.
EM_BOOL onFullScreenChange(int, const EmscriptenFullscreenChangeEvent* event, void*)
{
    if (keyOwner && keyOwner->fullScreen && keyOwner->active && !event->isFullscreen)
        keyOwner->keys[27] = 1;
    return EM_FALSE;
}

}  // namespace

bool GLWindow::createWindow()
{
    // What SDL hangs on the window and the document goes again in closeWindow.
    // Emscripten's SDL_WasInit starts SDL by itself the first time it is asked.
    noteSdlListeners();
    if (SDL_WasInit(SDL_INIT_VIDEO) || SDL_Init(SDL_INIT_VIDEO) == 0) {
        SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
        SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
        SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 8);
        // The canvas stays hidden until show(); the emulation of immediate mode
        // needs its context made here, through SDL.
        window = SDL_SetVideoMode(static_cast<int>(width), static_cast<int>(height), 32,
                                  SDL_OPENGL);
    }
    stopNotingSdlListeners();
    if (!window) {
        REPORT_WINDOW_FAILURE();
        closeWindow();
        return false;
    }
    SDL_WM_SetCaption(title ? title : "", nullptr);
    adaptWebGLContext();

    keyOwner = this;
    emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_TRUE, onKey);
    emscripten_set_keyup_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_TRUE, onKey);
    emscripten_set_fullscreenchange_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, nullptr, EM_TRUE,
                                             onFullScreenChange);

    if (resizeCallback)
        resizeCallback(static_cast<int>(width), static_cast<int>(height));
    memset(keys, 0, sizeof keys);
    memset(pressedSinceUpdate, 0, sizeof pressedSinceUpdate);
    memset(releasedSinceUpdate, 0, sizeof releasedSinceUpdate);
    return true;
}

void GLWindow::show()
{
    // Full screen was asked of the browser when OK was clicked (it is granted
    // only in answer to a click), or the page fills the browser's viewport
    // where the browser has no full screen for it; a page refused full screen
    // shows the canvas in the page instead.
    if (fullScreen && !pageIsFullScreen()) {
        reportError(false, "Couldn't set full-screen video mode, using windowed.");
        fullScreen = 0;
    }
    pageShowCanvas(static_cast<int>(width), static_cast<int>(height), fullScreen);
    active = 1;
}

// The page's clock, in microseconds.
uint64_t performanceFrequency()
{
    return 1000000;
}

uint64_t performanceCounter()
{
    return static_cast<uint64_t>(emscripten_get_now() * 1000.0);
}

uint32_t tickCount()
{
    return static_cast<uint32_t>(emscripten_get_now());
}

bool waitForFrame(GLWindow* owner)
{
    // Keys tapped since the previous frame were seen by its update.
    releaseTappedKeys(owner);
    // The browser shows what was drawn when the program yields to it. The
    // show's end control, for those without a keyboard, is a tap of Escape.
    if (pageWaitForFrame()) {
        owner->keys[27] = 1;
        pressedSinceUpdate[27] = true;
        releasedSinceUpdate[27] = true;
    }
    bool quit = false;
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        if (event.type == SDL_QUIT)
            quit = true;
    }
    return !quit;
}

// The browser shows the canvas's drawing when the program next yields.
void presentFrame(GLWindow*) {}

void endWindowSystem(GLWindow*) {}

void GLWindow::closeWindow()
{
    if (keyOwner == this) {
        emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_TRUE, nullptr);
        emscripten_set_keyup_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_TRUE, nullptr);
        emscripten_set_fullscreenchange_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, nullptr,
                                                 EM_TRUE, nullptr);
        keyOwner = nullptr;
    }
    if (window || active) {
        pageHideCanvas();
        active = 0;
    }
    window = nullptr;
    // Emscripten's SDL_Quit does nothing but say so on the console; SDL's
    // listeners are what would outlive the run.
    removeSdlListeners();
}
