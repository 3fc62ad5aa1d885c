#include "windowtesthelpers.h"

#include <chrono>

std::string windowText(HWND window)
{
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length))
        return "<no answer>";
    std::string text(length + 1, '\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]),
                             SMTO_ABORTIFHUNG, 5000, &copied))
        return "<no answer>";
    text.resize(copied);
    return text;
}

std::string className(HWND window)
{
    char name[128] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

HWND waitForWindow(const char* windowClass, const char* title, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        HWND window = FindWindowA(windowClass, title);
        if (window && IsWindowVisible(window))
            return window;
        if (GetTickCount() - start > timeoutMs)
            return nullptr;
        Sleep(20);
    }
}

bool waitUntilGone(HWND window, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    while (IsWindow(window)) {
        if (GetTickCount() - start > timeoutMs)
            return false;
        Sleep(20);
    }
    return true;
}

struct BoxContents {
    std::string text;
    std::string buttons;
};

static BOOL CALLBACK collectBoxChild(HWND child, LPARAM parameter)
{
    BoxContents* contents = reinterpret_cast<BoxContents*>(parameter);
    std::string kind = className(child);
    std::string text = windowText(child);
    if (_stricmp(kind.c_str(), "Static") == 0 && !text.empty())
        contents->text += text;
    else if (_stricmp(kind.c_str(), "Button") == 0)
        contents->buttons += (contents->buttons.empty() ? "" : "|") + text;
    return TRUE;
}

static void watchMessageBoxes(MessageBoxWatch* watch, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    HWND last = nullptr;
    while (!watch->stop && GetTickCount() - start < timeoutMs) {
        HWND box = FindWindowA("#32770", "Error");
        if (!box || box == last || !IsWindowVisible(box)) {
            Sleep(20);
            continue;
        }
        BoxContents contents;
        EnumChildWindows(box, collectBoxChild, reinterpret_cast<LPARAM>(&contents));
        watch->texts.push_back(contents.text);
        watch->buttons.push_back(contents.buttons);
        watch->owned.push_back(GetWindow(box, GW_OWNER) != nullptr);
        watch->seen++;
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        waitUntilGone(box, 5000);
        last = box;
    }
}

void startMessageBoxWatch(MessageBoxWatch& watch, DWORD timeoutMs)
{
    watch.stop = false;
    watch.seen = 0;
    watch.texts.clear();
    watch.buttons.clear();
    watch.owned.clear();
    watch.thread = std::thread(watchMessageBoxes, &watch, timeoutMs);
}

void finishMessageBoxWatch(MessageBoxWatch& watch, size_t expected)
{
    DWORD start = GetTickCount();
    while (watch.seen < expected && GetTickCount() - start < 10000)
        pumpMessages(20);
    watch.stop = true;
    if (watch.thread.joinable())
        watch.thread.join();
}

void pumpMessages(DWORD milliseconds)
{
    DWORD start = GetTickCount();
    do {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT)
                continue;
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(5);
    } while (GetTickCount() - start < milliseconds);
}

void drainMessages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
}
