#include "glwindow.h"

#include "programicon.h"
#include "reporterror.h"
#include "windowfailure.h"

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

GLWindow::GLWindow(HINSTANCE instanceHandle, const char* windowTitle, uint32_t requestedWidth,
                   uint32_t requestedHeight, uint32_t requestedBitsPerPixel, bool requestFullScreen)
    : shutdownCallback(nullptr), drawCallback(nullptr), resizeCallback(nullptr),
      updateCallback(nullptr), progressPosition(0), glContext(nullptr), deviceContext(nullptr),
      window(nullptr), dialog(nullptr), instance(nullptr), active(0), lastTickCount(0),
      dialogAccepted(0), dialogCancelled(0), width(0), height(0), bitsPerPixel(0), fullScreen(0),
      title(nullptr), chosenMode(nullptr), hasPerformanceCounter(0), secondsPerCount(0.0),
      lastTime(0.0), displayModeSwitched(0), displayModeSuspended(0), keepingDisplayOn(0)
{
    memset(keys, 0, sizeof keys);
    instance = instanceHandle;
    width = requestedWidth;
    height = requestedHeight;
    bitsPerPixel = requestedBitsPerPixel;
    fullScreen = requestFullScreen ? 1 : 0;
    if (!windowTitle)
        windowTitle = "";
    size_t length = strlen(windowTitle);
    title = static_cast<char*>(malloc(length + 1));
    if (title)
        memcpy(title, windowTitle, length + 1);
}

GLWindow::~GLWindow()
{
    free(title);
    title = nullptr;
    for (DisplayMode* mode : modes)
        free(mode);
    modes.clear();
    modes.shrink_to_fit();
    chosenMode = nullptr;
    closeWindow();
    if (currentWindow == this)
        currentWindow = nullptr;
}

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
    window->displayModeSwitched = 1;
    return true;
}

// Gives the desktop its own mode and the cursor back.
static void restoreDesktopMode(GLWindow* window)
{
    ChangeDisplaySettingsA(nullptr, 0);
    ShowCursor(TRUE);
    window->displayModeSwitched = 0;
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
    keepingDisplayOn = 1;
}

int GLWindow::run()
{
    LARGE_INTEGER frequency;
    if (QueryPerformanceFrequency(&frequency) && frequency.QuadPart != 0) {
        LARGE_INTEGER counter;
        hasPerformanceCounter = 1;
        secondsPerCount = 1.0 / static_cast<double>(frequency.QuadPart);
        QueryPerformanceCounter(&counter);
        lastTime = static_cast<double>(counter.QuadPart) * secondsPerCount;
    } else {
        hasPerformanceCounter = 0;
        reportError(true, "QueryPerformanceFrequency failed.  Reverting to system timer.\n");
        lastTickCount = GetTickCount();
    }

    MSG message;
    for (;;) {
        if (PeekMessageA(&message, window, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT)
                break;
            DispatchMessageA(&message);
            continue;
        }
        if (!active) {
            WaitMessage();
            continue;
        }
        if (hasPerformanceCounter) {
            LARGE_INTEGER counter;
            QueryPerformanceCounter(&counter);
            double now = static_cast<double>(counter.QuadPart) * secondsPerCount;
            if (updateCallback)
                updateCallback((now - lastTime) * 1000.0);
            lastTime = now;
        } else {
            uint32_t now = GetTickCount();
            if (updateCallback)
                updateCallback(static_cast<double>(static_cast<uint32_t>(now - lastTickCount)));
            lastTickCount = now;
        }
        if (drawCallback)
            drawCallback();
        SwapBuffers(deviceContext);
    }

    closeWindow();
    // The callback may delete this GLWindow: nothing of it is touched afterwards.
    ShutdownCallback shutdown = shutdownCallback;
    return shutdown ? shutdown() : 0;
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
    if (displayModeSwitched)
        restoreDesktopMode(this);
    displayModeSuspended = 0;
    if (keepingDisplayOn) {
        SetThreadExecutionState(ES_CONTINUOUS);
        keepingDisplayOn = 0;
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
    if (!activated && owner->displayModeSwitched) {
        restoreDesktopMode(owner);
        owner->displayModeSuspended = 1;
        ShowWindow(hwnd, SW_SHOWMINNOACTIVE);
    } else if (activated && owner->displayModeSuspended) {
        owner->displayModeSuspended = 0;
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
