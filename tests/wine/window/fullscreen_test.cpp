// The full-screen switch inside a 1024 x 768 virtual desktop, which offers
// 640 x 480 x 32 at 60 Hz among its modes.
#include "glwindow.h"

#include "windowtesthelpers.h"

#include <gtest/gtest.h>

static void ignoreResize(int, int) {}

struct CurrentMode {
    DWORD width, height, bitsPerPixel, refreshRate;
};

static CurrentMode currentMode()
{
    DEVMODEA mode = {};
    mode.dmSize = sizeof mode;
    EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode);
    return {mode.dmPelsWidth, mode.dmPelsHeight, mode.dmBitsPerPel, mode.dmDisplayFrequency};
}

static int cursorCount()
{
    int count = ShowCursor(TRUE);
    ShowCursor(FALSE);
    return count - 1;
}

// A full-screen GLWindow for 640 x 480 x 32 whose chosen mode came from the
// system's own list, as the Setup dialog leaves it.
static GLWindow* makeFullScreenWindow(DEVMODEA& chosen)
{
    chosen = {};
    chosen.dmSize = sizeof chosen;
    for (DWORD number = 0; EnumDisplaySettingsA(nullptr, number, &chosen); number++) {
        if (chosen.dmPelsWidth == 640 && chosen.dmPelsHeight == 480 && chosen.dmBitsPerPel == 32)
            break;
    }
    GLWindow* window = new GLWindow(GetModuleHandleA(nullptr), "snowgig test", 640, 480, 32, true);
    window->chosenMode = &chosen;
    window->setResizeCallback(ignoreResize);
    return window;
}

TEST(FullScreen, SwitchIsMadeWithoutComplaintAndUndoneByCloseWindow)
{
    CurrentMode desktop = currentMode();
    ASSERT_EQ(desktop.width, 1024u);
    int cursorBefore = cursorCount();

    DEVMODEA chosen;
    GLWindow* window = makeFullScreenWindow(chosen);
    ASSERT_EQ(chosen.dmPelsWidth, 640u);
    ASSERT_TRUE(window->createWindow());

    MessageBoxWatch watch;
    startMessageBoxWatch(watch, 3000);
    window->show();
    pumpMessages(300);
    finishMessageBoxWatch(watch, 0);
    EXPECT_TRUE(watch.texts.empty()) << watch.texts[0];

    CurrentMode switched = currentMode();
    EXPECT_EQ(switched.width, 640u);
    EXPECT_EQ(switched.height, 480u);
    EXPECT_EQ(switched.bitsPerPixel, 32u);
    EXPECT_EQ(switched.refreshRate, chosen.dmDisplayFrequency);
    EXPECT_EQ(window->fullScreen, 1);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(window->window, GWL_STYLE)) & WS_POPUP,
              static_cast<DWORD>(WS_POPUP));
    RECT client;
    GetClientRect(window->window, &client);
    EXPECT_EQ(client.right, 640);
    EXPECT_EQ(client.bottom, 480);
    EXPECT_EQ(cursorCount(), cursorBefore - 1);

    window->closeWindow();
    CurrentMode restored = currentMode();
    EXPECT_EQ(restored.width, desktop.width);
    EXPECT_EQ(restored.height, desktop.height);
    EXPECT_EQ(restored.bitsPerPixel, desktop.bitsPerPixel);
    EXPECT_EQ(cursorCount(), cursorBefore);
    delete window;
    drainMessages();
}

static void switchDisplayTo(DWORD width, DWORD height)
{
    DEVMODEA mode = {};
    mode.dmSize = sizeof mode;
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
    mode.dmPelsWidth = width;
    mode.dmPelsHeight = height;
    ASSERT_EQ(ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN), DISP_CHANGE_SUCCESSFUL);
}

// closeWindow undoes the switch that show made, once, whichever of closeWindow
// and the destructor comes first; without a switch (a start-up failure between
// createWindow and show) it leaves the display and the cursor alone. A mode
// that somebody else set afterwards (here 800 x 600) must survive.
TEST(FullScreen, OnlyTheProgramsOwnSwitchIsUndoneAndOnlyOnce)
{
    const CurrentMode desktop = currentMode();
    const struct {
        const char* way;
        bool shown;
        bool closedBeforeDelete;
    } ways[] = {
        {"start-up failure: closeWindow, then delete", false, true},
        {"start-up failure: delete only", false, false},
        {"quit: run's closeWindow, then delete", true, true},
        {"delete after show", true, false},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.way);
        const int cursorBefore = cursorCount();
        if (!way.shown)
            switchDisplayTo(800, 600);
        DEVMODEA chosen;
        GLWindow* window = makeFullScreenWindow(chosen);
        ASSERT_TRUE(window->createWindow());
        if (way.shown) {
            window->show();
            pumpMessages(200);
            ASSERT_EQ(currentMode().width, 640u);
        }
        if (way.closedBeforeDelete) {
            window->closeWindow();
            EXPECT_EQ(currentMode().width, way.shown ? desktop.width : 800u);
            if (way.shown)
                switchDisplayTo(800, 600);
        }
        delete window;
        drainMessages();
        const bool restoredByDelete = way.shown && !way.closedBeforeDelete;
        EXPECT_EQ(currentMode().width, restoredByDelete ? desktop.width : 800u);
        EXPECT_EQ(cursorCount(), cursorBefore) << "ShowCursor calls unbalanced";
        ChangeDisplaySettingsA(nullptr, 0);
        ASSERT_EQ(currentMode().width, desktop.width);
    }
}
