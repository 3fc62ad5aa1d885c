// A program that closes its own GLWindow while the main loop runs, the way a
// user would, for the close test to watch from outside:
//
//   window_closeprobe MARKER close|altf4|keys
//
// close posts WM_CLOSE, altf4 posts the system key message of Alt+F4, keys
// types Alt+F4 on the keyboard. The shutdown callback writes "shutdown" to
// MARKER and deletes the window, as the demo's does. Exit status 0 is the close
// path; 3 means the main loop returned, 4 that nothing happened in time.
#include "glwindow.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

static GLWindow* probeWindow;
static const char* markerPath;
static const char* closeHow;
static int frames;

static void update(double) {}

static void draw()
{
    if (++frames != 3)
        return;
    HWND window = probeWindow->window;
    if (strcmp(closeHow, "close") == 0) {
        PostMessageA(window, WM_CLOSE, 0, 0);
    } else if (strcmp(closeHow, "altf4") == 0) {
        PostMessageA(window, WM_SYSKEYDOWN, VK_F4, (1 << 29) | 1);
    } else {
        SetForegroundWindow(window);
        INPUT keys[4] = {};
        for (INPUT& key : keys)
            key.type = INPUT_KEYBOARD;
        keys[0].ki.wVk = VK_MENU;
        keys[1].ki.wVk = VK_F4;
        keys[2].ki.wVk = VK_F4;
        keys[2].ki.dwFlags = KEYEVENTF_KEYUP;
        keys[3].ki.wVk = VK_MENU;
        keys[3].ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(4, keys, sizeof(INPUT));
    }
}

static int shutdown()
{
    FILE* marker = fopen(markerPath, "ab");
    if (marker) {
        fputs("shutdown\n", marker);
        fclose(marker);
    }
    delete probeWindow;
    probeWindow = nullptr;
    return 0;
}

static DWORD WINAPI watchdog(void*)
{
    Sleep(20000);
    ExitProcess(4);
}

int main(int argc, char** argv)
{
    if (argc != 3) {
        fprintf(stderr, "usage: window_closeprobe MARKER close|altf4|keys\n");
        return 2;
    }
    markerPath = argv[1];
    closeHow = argv[2];
    CloseHandle(CreateThread(nullptr, 0, watchdog, nullptr, 0, nullptr));

    probeWindow = new GLWindow(GetModuleHandleA(nullptr), "close probe", 320, 240, 32, false);
    probeWindow->setUpdateCallback(update);
    probeWindow->setDrawCallback(draw);
    probeWindow->setShutdownCallback(shutdown);
    if (!probeWindow->createWindow())
        return 5;
    probeWindow->show();
    probeWindow->run();
    return 3;
}
