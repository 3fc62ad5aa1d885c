// GLWindow on Win32: the window class and window, its WGL context, the
// display-mode switch, the message pump and the frame timer's clocks.
#include "glwindow.h"

#include "programicon.h"
#include "reporterror.h"
#include "windowfailure.h"
#include "windowsystem.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>

static const char windowClassName[] = "kvWindow";
static const DWORD windowedStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
static const DWORD fullScreenStyle = WS_POPUP;
static const DWORD windowExStyle = WS_EX_APPWINDOW;

// The window procedure has no other way to reach its GLWindow; only one exists.
static GLWindow* currentWindow = nullptr;

static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// The outer size of a window with this style whose client area is width x height.
static RECT outerRectangle(DWORD style, uint32_t clientWidth, uint32_t clientHeight)
{
    RECT rectangle = {0, 0, static_cast<LONG>(clientWidth), static_cast<LONG>(clientHeight)};
    AdjustWindowRectEx(&rectangle, style, FALSE, windowExStyle);
    return rectangle;
}

// SNOWGIG_REFUSE_PIXEL_FORMAT in the environment makes window creation fail
// as a driver without a usable pixel format does, so that tests can see the
// failure reach the user.
static bool pixelFormatRefused()
{
    char value[4];
    if (GetEnvironmentVariableA("SNOWGIG_REFUSE_PIXEL_FORMAT", value, sizeof value) == 0)
        return false;
    SetLastError(ERROR_INVALID_PIXEL_FORMAT);
    return true;
}

bool GLWindow::createWindow()
{
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_OWNDC;
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = programIcon(instance, ICON_BIG);
    windowClass.hIconSm = programIcon(instance, ICON_SMALL);
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    windowClass.lpszClassName = windowClassName;
    // A window made again after closeWindow finds its class still registered.
    if (!RegisterClassExA(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        REPORT_WINDOW_FAILURE();
        return false;
    }

    DWORD style = fullScreen ? fullScreenStyle : windowedStyle;
    RECT outer = outerRectangle(style, width, height);
    window = CreateWindowExA(windowExStyle, windowClassName, title ? title : "", style,
                             CW_USEDEFAULT, 0, outer.right - outer.left, outer.bottom - outer.top,
                             nullptr, nullptr, instance, this);
    if (!window) {
        REPORT_WINDOW_FAILURE();
        return false;
    }

    // From here on a failure takes down what was made, after its message: the
    // window's end posts the quit message, which would close the box at once.
#define FAIL_AND_CLOSE()                    \
    do {                                    \
        REPORT_WINDOW_FAILURE();            \
        closeWindow();                      \
        return false;                       \
    } while (0)

    deviceContext = GetDC(window);
    if (!deviceContext)
        FAIL_AND_CLOSE();

    PIXELFORMATDESCRIPTOR pixelFormat = {};
    pixelFormat.nSize = sizeof pixelFormat;
    pixelFormat.nVersion = 1;
    pixelFormat.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    pixelFormat.iPixelType = PFD_TYPE_RGBA;
    pixelFormat.cColorBits = static_cast<BYTE>(bitsPerPixel);
    pixelFormat.cDepthBits = 16;
    pixelFormat.cStencilBits = 8;
    pixelFormat.iLayerType = PFD_MAIN_PLANE;
    int format = pixelFormatRefused() ? 0 : ChoosePixelFormat(deviceContext, &pixelFormat);
    if (format == 0)
        FAIL_AND_CLOSE();
    if (!SetPixelFormat(deviceContext, format, &pixelFormat))
        FAIL_AND_CLOSE();

    glContext = wglCreateContext(deviceContext);
    if (!glContext)
        FAIL_AND_CLOSE();
    if (!wglMakeCurrent(deviceContext, glContext))
        FAIL_AND_CLOSE();
#undef FAIL_AND_CLOSE

    if (resizeCallback)
        resizeCallback(static_cast<int>(width), static_cast<int>(height));
    memset(keys, 0, sizeof keys);
    return true;
}

// Switches the display to the show's mode and hides the cursor.
static bool switchToShowMode(GLWindow* window)
{
    DEVMODEA mode = {};
    mode.dmSize = sizeof mode;
    mode.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT | DM_DISPLAYFREQUENCY;
    mode.dmPelsWidth = window->width;
    mode.dmPelsHeight = window->height;
    mode.dmBitsPerPel = window->bitsPerPixel;
    // Without a mode picked in the Setup dialog the display's default rate is asked for.
    mode.dmDisplayFrequency = window->chosenMode ? window->chosenMode->dmDisplayFrequency : 0;
    if (ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN) != DISP_CHANGE_SUCCESSFUL)
        return false;
    ShowCursor(FALSE);
    window->system.displayModeSwitched = 1;
    return true;
}

// Gives the desktop its own mode and the cursor back.
static void restoreDesktopMode(GLWindow* window)
{
    ChangeDisplaySettingsA(nullptr, 0);
    ShowCursor(TRUE);
    window->system.displayModeSwitched = 0;
}

void GLWindow::show()
{
    if (fullScreen) {
        if (!switchToShowMode(this)) {
            reportError(false, "Couldn't set full-screen video mode, using windowed.");
            fullScreen = 0;
            SetWindowLongA(window, GWL_STYLE, static_cast<LONG>(windowedStyle));
            RECT outer = outerRectangle(windowedStyle, width, height);
            SetWindowPos(window, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                         SWP_FRAMECHANGED);
        }
    }
    ShowWindow(window, SW_SHOWNORMAL);
    active = 1;
    // Nobody is at the keyboard while the show plays: the display stays on.
    SetThreadExecutionState(ES_CONTINUOUS | ES_DISPLAY_REQUIRED);
    system.keepingDisplayOn = 1;
}

uint64_t performanceFrequency()
{
    LARGE_INTEGER frequency;
    if (!QueryPerformanceFrequency(&frequency) || frequency.QuadPart <= 0)
        return 0;
    return static_cast<uint64_t>(frequency.QuadPart);
}

uint64_t performanceCounter()
{
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<uint64_t>(counter.QuadPart);
}

uint32_t tickCount()
{
    return GetTickCount();
}

bool waitForFrame(GLWindow* owner)
{
    MSG message;
    for (;;) {
        if (PeekMessageA(&message, owner->window, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT)
                return false;
            DispatchMessageA(&message);
            continue;
        }
        if (!owner->active) {
            WaitMessage();
            continue;
        }
        return true;
    }
}

void presentFrame(GLWindow* owner)
{
    SwapBuffers(owner->deviceContext);
}

void endWindowSystem(GLWindow* owner)
{
    if (currentWindow == owner)
        currentWindow = nullptr;
}

void GLWindow::closeWindow()
{
    if (glContext) {
        wglDeleteContext(glContext);
        glContext = nullptr;
    }
    if (deviceContext) {
        ReleaseDC(window, deviceContext);
        deviceContext = nullptr;
    }
    if (window) {
        DestroyWindow(window);
        window = nullptr;
    }
    // Only a switch that show made is undone, and only once: a start-up failure
    // closes the window before any switch, and the destructor closes it again
    // after run. Restoring then would reset a mode somebody else set.
    if (system.displayModeSwitched)
        restoreDesktopMode(this);
    system.displayModeSuspended = 0;
    if (system.keepingDisplayOn) {
        SetThreadExecutionState(ES_CONTINUOUS);
        system.keepingDisplayOn = 0;
    }
}

// Full screen gives way to whatever the user switches to (Alt+Tab, a click on
// the taskbar): the desktop gets its own mode back and the show is minimised
// until it is activated again, then it takes its mode once more.
static void followActivation(HWND hwnd, GLWindow* owner, bool activated)
{
    // Keys held while switching away are released elsewhere, unseen here.
    if (!activated)
        memset(owner->keys, 0, sizeof owner->keys);
    if (!activated && owner->system.displayModeSwitched) {
        restoreDesktopMode(owner);
        owner->system.displayModeSuspended = 1;
        ShowWindow(hwnd, SW_SHOWMINNOACTIVE);
    } else if (activated && owner->system.displayModeSuspended) {
        owner->system.displayModeSuspended = 0;
        if (IsIconic(hwnd))
            ShowWindow(hwnd, SW_RESTORE);
        if (switchToShowMode(owner))
            SetWindowPos(hwnd, HWND_TOP, 0, 0, static_cast<int>(owner->width),
                         static_cast<int>(owner->height), SWP_SHOWWINDOW);
    }
}

static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CREATE) {
        currentWindow = static_cast<GLWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        return 0;
    }
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    GLWindow* owner = currentWindow;
    if (!owner)
        return DefWindowProcA(hwnd, message, wParam, lParam);

    switch (message) {
    case WM_SIZE:
        if (wParam == SIZE_RESTORED || wParam == SIZE_MAXIMIZED) {
            owner->active = 1;
            if (owner->resizeCallback)
                owner->resizeCallback(LOWORD(lParam), HIWORD(lParam));
            owner->width = LOWORD(lParam);
            owner->height = HIWORD(lParam);
            return 0;
        }
        if (wParam == SIZE_MINIMIZED) {
            owner->active = 0;
            return 0;
        }
        break;
    case WM_ACTIVATEAPP:
        followActivation(hwnd, owner, wParam != FALSE);
        return 0;
    case WM_CLOSE: {
        // The callback may delete the GLWindow, so it is fetched first.
        ShutdownCallback shutdown = owner->shutdownCallback;
        if (shutdown)
            shutdown();
        ExitProcess(0);
    }
    case WM_KEYDOWN:
    case WM_KEYUP:
        if (wParam < 256) {
            owner->keys[wParam] = message == WM_KEYDOWN ? 1 : 0;
            return 0;
        }
        break;
    case WM_SYSCOMMAND:
        if (wParam == SC_SCREENSAVE || wParam == SC_MONITORPOWER)
            return 0;
        break;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
        return 0;
    default:
        break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}
