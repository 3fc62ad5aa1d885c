// GLWindow on a bare X screen, which offers its own size only (1024 x 768).
#include "glwindow.h"

#include "windowtesthelpers.h"

#include <gtest/gtest.h>

#include <cstring>
#include <utility>
#include <vector>

static const DWORD windowedStyle = 0x00CA0000;

static std::vector<std::pair<int, int>> resizes;
static std::vector<double> updates;
static int draws;
static int shutdowns;
static void (*onDraw)(int frame);
static UINT contextMenus;
static WNDPROC framedProc;

static void recordResize(int width, int height) { resizes.push_back({width, height}); }
static void recordUpdate(double milliseconds) { updates.push_back(milliseconds); }
static void recordDraw()
{
    draws++;
    if (onDraw)
        onDraw(draws);
}
static int recordShutdown()
{
    shutdowns++;
    return 42;
}

// Sits in front of the window procedure to see what the default processing produces.
static LRESULT CALLBACK countContextMenus(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CONTEXTMENU)
        contextMenus++;
    return CallWindowProcA(framedProc, hwnd, message, wParam, lParam);
}

// How many times ShowCursor(TRUE) must outweigh ShowCursor(FALSE) to show the cursor.
static int cursorCount()
{
    int count = ShowCursor(TRUE);
    ShowCursor(FALSE);
    return count - 1;
}

static DWORD styleWithoutHousekeeping(HWND window)
{
    return static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)) & ~(WS_VISIBLE | WS_CLIPSIBLINGS);
}

class GLWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        resizes.clear();
        updates.clear();
        draws = 0;
        shutdowns = 0;
        onDraw = nullptr;
        contextMenus = 0;
    }
    void TearDown() override
    {
        delete window;
        drainMessages();
    }
    GLWindow* make(bool fullScreen)
    {
        window = new GLWindow(GetModuleHandleA(nullptr), "snowgig test", 640, 480, 32, fullScreen);
        window->setResizeCallback(recordResize);
        window->setUpdateCallback(recordUpdate);
        window->setDrawCallback(recordDraw);
        window->setShutdownCallback(recordShutdown);
        return window;
    }
    GLWindow* window = nullptr;
};

TEST_F(GLWindowTest, WindowedWindowHasItsClassStyleAndExactClientSize)
{
    GLWindow* w = make(false);
    for (int& key : w->keys)
        key = 7;
    ASSERT_TRUE(w->createWindow());

    for (int code = 0; code < 256; code++)
        ASSERT_EQ(w->keys[code], 0) << "key " << code;
    ASSERT_EQ(resizes.size(), 1u);
    EXPECT_EQ(resizes[0], std::make_pair(640, 480));
    EXPECT_EQ(w->active, 0);
    EXPECT_EQ(wglGetCurrentContext(), w->glContext);
    EXPECT_NE(w->deviceContext, nullptr);

    EXPECT_EQ(className(w->window), "kvWindow");
    EXPECT_EQ(windowText(w->window), "snowgig test");
    EXPECT_FALSE(IsWindowVisible(w->window));
    EXPECT_EQ(styleWithoutHousekeeping(w->window), windowedStyle);
    EXPECT_TRUE(GetWindowLongA(w->window, GWL_EXSTYLE) & WS_EX_APPWINDOW);
    EXPECT_EQ(GetClassLongA(w->window, GCL_STYLE), CS_VREDRAW | CS_HREDRAW | CS_OWNDC);

    PIXELFORMATDESCRIPTOR format = {};
    ASSERT_NE(DescribePixelFormat(w->deviceContext, GetPixelFormat(w->deviceContext), sizeof format, &format), 0);
    EXPECT_TRUE(format.dwFlags & PFD_DOUBLEBUFFER);
    EXPECT_TRUE(format.dwFlags & PFD_SUPPORT_OPENGL);
    EXPECT_GE(format.cDepthBits, 16);

    w->show();
    pumpMessages(100);
    EXPECT_TRUE(IsWindowVisible(w->window));
    EXPECT_EQ(w->active, 1);
    RECT client;
    GetClientRect(w->window, &client);
    EXPECT_EQ(client.right - client.left, 640);
    EXPECT_EQ(client.bottom - client.top, 480);
    EXPECT_EQ(w->getWidth(), 640u);
    EXPECT_EQ(w->getHeight(), 480u);

    // While the show runs the display is asked to stay on; closing asks no
    // more. Each probe sets the same state again and returns the one before.
    const EXECUTION_STATE displayOn = ES_CONTINUOUS | ES_DISPLAY_REQUIRED;
    EXPECT_EQ(SetThreadExecutionState(displayOn), displayOn);
    w->closeWindow();
    EXPECT_EQ(SetThreadExecutionState(ES_CONTINUOUS), ES_CONTINUOUS);
}

TEST_F(GLWindowTest, KeyFlagsFollowKeyDownAndUpForEveryCode)
{
    GLWindow* w = make(false);
    ASSERT_TRUE(w->createWindow());
    for (WPARAM code = 0; code < 256; code++) {
        EXPECT_EQ(SendMessageA(w->window, WM_KEYDOWN, code, 0), 0);
        ASSERT_EQ(w->keys[code], 1) << "key " << code;
    }
    for (WPARAM code = 0; code < 256; code++) {
        EXPECT_EQ(SendMessageA(w->window, WM_KEYUP, code, 0), 0);
        ASSERT_EQ(w->keys[code], 0) << "key " << code;
    }

    // Codes beyond the table change nothing, neither in it nor behind it.
    ShutdownCallback before = w->shutdownCallback;
    for (WPARAM code : {WPARAM(256), WPARAM(0x1FF), WPARAM(0x10000), ~WPARAM(0)}) {
        SendMessageA(w->window, WM_KEYDOWN, code, 0);
        SendMessageA(w->window, WM_KEYUP, code, 0);
        SendMessageA(w->window, WM_KEYDOWN, code, 0);
    }
    int set = 0;
    for (int key : w->keys)
        set += key;
    EXPECT_EQ(set, 0);
    EXPECT_EQ(w->shutdownCallback, before);
}

TEST_F(GLWindowTest, MinimiseStopsFramesAndRestoreReportsTheSize)
{
    GLWindow* w = make(false);
    ASSERT_TRUE(w->createWindow());
    w->show();
    pumpMessages(100);
    resizes.clear();

    ShowWindow(w->window, SW_MINIMIZE);
    pumpMessages(100);
    EXPECT_EQ(w->active, 0);
    EXPECT_TRUE(resizes.empty());
    EXPECT_EQ(w->getWidth(), 640u);

    ShowWindow(w->window, SW_RESTORE);
    pumpMessages(100);
    EXPECT_EQ(w->active, 1);
    ASSERT_FALSE(resizes.empty());
    EXPECT_EQ(resizes.back(), std::make_pair(640, 480));

    // A maximise reports its size and becomes the window's size; other size
    // types leave everything as it was.
    resizes.clear();
    w->active = 0;
    EXPECT_EQ(SendMessageA(w->window, WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(800, 600)), 0);
    EXPECT_EQ(w->active, 1);
    ASSERT_EQ(resizes.size(), 1u);
    EXPECT_EQ(resizes[0], std::make_pair(800, 600));
    EXPECT_EQ(w->getWidth(), 800u);
    EXPECT_EQ(w->getHeight(), 600u);

    SendMessageA(w->window, WM_SIZE, SIZE_MINIMIZED, 0);
    EXPECT_EQ(w->active, 0);
    SendMessageA(w->window, WM_SIZE, SIZE_MAXSHOW, MAKELPARAM(320, 200));
    SendMessageA(w->window, WM_SIZE, SIZE_MAXHIDE, MAKELPARAM(320, 200));
    EXPECT_EQ(w->active, 0);
    EXPECT_EQ(resizes.size(), 1u);
    EXPECT_EQ(w->getWidth(), 800u);
}

static std::vector<WPARAM> defaultSystemCommands;

// The default processing announces every system command it carries out to this
// hook. Screen-saver and monitor commands are recorded and then vetoed: carrying
// them out would start a screen saver, which under Wine never returns.
static LRESULT CALLBACK recordSystemCommand(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_SYSCOMMAND) {
        defaultSystemCommands.push_back(wParam);
        if ((wParam & 0xFFF0) == SC_SCREENSAVE || (wParam & 0xFFF0) == SC_MONITORPOWER)
            return 1;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(GLWindowTest, ScreenSaverAndMonitorPowerRequestsAreSwallowed)
{
    GLWindow* w = make(false);
    ASSERT_TRUE(w->createWindow());
    w->show();
    pumpMessages(100);
    defaultSystemCommands.clear();
    HHOOK hook = SetWindowsHookExA(WH_CBT, recordSystemCommand, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);

    EXPECT_EQ(SendMessageA(w->window, WM_SYSCOMMAND, SC_SCREENSAVE, 0), 0);
    EXPECT_EQ(SendMessageA(w->window, WM_SYSCOMMAND, SC_MONITORPOWER, 2), 0);
    pumpMessages(100);
    EXPECT_TRUE(defaultSystemCommands.empty());
    EXPECT_TRUE(IsWindowVisible(w->window));
    EXPECT_EQ(w->active, 1);

    // Only the exact values are swallowed; other commands get the default processing.
    SendMessageA(w->window, WM_SYSCOMMAND, SC_SCREENSAVE | 1, 0);
    SendMessageA(w->window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    pumpMessages(100);
    UnhookWindowsHookEx(hook);
    ASSERT_EQ(defaultSystemCommands.size(), 2u);
    EXPECT_EQ(defaultSystemCommands[0], WPARAM(SC_SCREENSAVE | 1));
    EXPECT_EQ(defaultSystemCommands[1], WPARAM(SC_MINIMIZE));
    EXPECT_TRUE(IsIconic(w->window));
    EXPECT_EQ(w->active, 0);
}

TEST_F(GLWindowTest, MouseMessagesHaveNoEffectAndNoDefaultProcessing)
{
    GLWindow* w = make(false);
    ASSERT_TRUE(w->createWindow());
    w->show();
    pumpMessages(100);
    framedProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(w->window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(countContextMenus)));

    LPARAM where = MAKELPARAM(100, 100);
    for (UINT message : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN, WM_RBUTTONUP})
        EXPECT_EQ(SendMessageA(w->window, message, 0, where), 0) << message;
    pumpMessages(50);
    // The default processing of a right-button release would ask for a context menu.
    EXPECT_EQ(contextMenus, 0u);
    EXPECT_EQ(w->active, 1);
    int set = 0;
    for (int key : w->keys)
        set += key;
    EXPECT_EQ(set, 0);

    // What that looks like when a message does reach the default processing:
    DefWindowProcA(w->window, WM_RBUTTONUP, 0, where);
    EXPECT_EQ(contextMenus, 1u);
    SetWindowLongPtrA(w->window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(framedProc));
}

TEST_F(GLWindowTest, RefusedFullScreenSwitchFallsBackToAWindowAtTheTopLeft)
{
    GLWindow* w = make(true);
    ASSERT_TRUE(w->createWindow());
    EXPECT_EQ(styleWithoutHousekeeping(w->window), static_cast<DWORD>(WS_POPUP));
    int cursorBefore = cursorCount();

    MessageBoxWatch watch;
    startMessageBoxWatch(watch);
    w->show();
    finishMessageBoxWatch(watch, 1);
    ASSERT_EQ(watch.texts.size(), 1u);
    EXPECT_EQ(watch.texts[0], "Couldn't set full-screen video mode, using windowed.");
    pumpMessages(100);

    EXPECT_EQ(w->fullScreen, 0);
    EXPECT_EQ(w->active, 1);
    EXPECT_EQ(styleWithoutHousekeeping(w->window), windowedStyle);
    RECT outer, client;
    GetWindowRect(w->window, &outer);
    GetClientRect(w->window, &client);
    EXPECT_EQ(outer.left, 0);
    EXPECT_EQ(outer.top, 0);
    EXPECT_EQ(client.right, 640);
    EXPECT_EQ(client.bottom, 480);
    EXPECT_EQ(cursorCount(), cursorBefore);

    DEVMODEA mode = {};
    mode.dmSize = sizeof mode;
    ASSERT_TRUE(EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode));
    EXPECT_EQ(mode.dmPelsWidth, 1024u);

    // The display settings and the cursor are not touched on the way out either.
    w->closeWindow();
    EXPECT_EQ(cursorCount(), cursorBefore);
    EXPECT_EQ(w->window, nullptr);
}

TEST_F(GLWindowTest, RunDrivesFramesUntilAQuitMessage)
{
    GLWindow* w = make(false);
    ASSERT_TRUE(w->createWindow());
    w->show();
    pumpMessages(50);
    Sleep(600);  // time between showing and running does not count
    onDraw = [](int frame) {
        if (frame == 20)
            PostQuitMessage(0);
    };
    EXPECT_EQ(w->run(), 42);

    EXPECT_EQ(shutdowns, 1);
    EXPECT_EQ(draws, 20);
    ASSERT_EQ(updates.size(), 20u);
    EXPECT_EQ(w->hasPerformanceCounter, 1);
    EXPECT_LT(updates[0], 400.0);
    double total = 0;
    for (double milliseconds : updates) {
        EXPECT_GE(milliseconds, 0.0);
        total += milliseconds;
    }
    EXPECT_GT(total, 0.0);
    EXPECT_EQ(w->window, nullptr);
    EXPECT_EQ(w->glContext, nullptr);
    EXPECT_EQ(w->deviceContext, nullptr);
}

static HWND minimisedWindow;

TEST_F(GLWindowTest, MinimisedLoopWaitsAndTheFirstFrameAfterRestoreGetsThatTime)
{
    GLWindow* w = make(false);
    ASSERT_TRUE(w->createWindow());
    w->show();
    pumpMessages(50);
    minimisedWindow = w->window;
    onDraw = [](int frame) {
        if (frame == 3) {
            ShowWindow(minimisedWindow, SW_MINIMIZE);
            // Restored from another thread half a second later.
            std::thread([] {
                Sleep(500);
                ShowWindowAsync(minimisedWindow, SW_RESTORE);
            }).detach();
        }
        if (frame == 6)
            PostQuitMessage(0);
    };
    EXPECT_EQ(w->run(), 42);
    ASSERT_EQ(updates.size(), 6u);
    // No frame ran while minimised, and the timer was not reset by the restore.
    EXPECT_GE(updates[3], 450.0);
    for (size_t i : {0u, 1u, 2u, 4u, 5u})
        EXPECT_LT(updates[i], 450.0) << "frame " << i;
}

static LRESULT CALLBACK refuseWindowCreation(int code, WPARAM wParam, LPARAM lParam)
{
    // Only the framework's window: the message box must still appear.
    if (code == HCBT_CREATEWND && className(reinterpret_cast<HWND>(wParam)) == "kvWindow")
        return 1;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(GLWindowTest, FailedWindowCreationIsReportedWithSourcePositionAndSystemText)
{
    GLWindow* w = make(false);
    HHOOK hook = SetWindowsHookExA(WH_CBT, refuseWindowCreation, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    MessageBoxWatch watch;
    startMessageBoxWatch(watch);
    bool created = w->createWindow();
    UnhookWindowsHookEx(hook);
    finishMessageBoxWatch(watch, 1);

    EXPECT_FALSE(created);
    EXPECT_EQ(w->window, nullptr);
    ASSERT_EQ(watch.texts.size(), 1u);
    const std::string& text = watch.texts[0];
    EXPECT_EQ(text.rfind("At line ", 0), 0u) << text;
    EXPECT_GT(atoi(text.c_str() + 8), 0) << text;
    size_t colon = text.find("glwindow.cpp:\n");
    ASSERT_NE(colon, std::string::npos) << text;
    std::string systemText = text.substr(colon + 14);
    EXPECT_FALSE(systemText.empty()) << text;
    EXPECT_EQ(systemText.back(), '\n') << text;
}
