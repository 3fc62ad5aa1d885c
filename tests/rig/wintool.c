/* wintool: looks at and drives the windows of other programs running in the
 * same Wine prefix, for the test rig. Every command prints plain lines on
 * standard output and exits 0 on success, 1 when the window or control is not
 * there, 2 on a usage error.
 *
 *   wait TITLE TIMEOUT_MS        wait until a visible top-level window TITLE exists
 *   gone TITLE TIMEOUT_MS        wait until no window TITLE exists
 *   texts TITLE                  one line per child: id<TAB>class<TAB>text
 *   text TITLE                   the texts of the static controls, joined by newlines
 *   combo TITLE ID               "selected N", then one line per entry
 *   click TITLE ID               press the button ID (BM_CLICK)
 *   select TITLE ID INDEX        select entry INDEX of combo box ID (as a user would)
 *   watchprogress TITLE ID MS    follow a progress bar until its window is gone (or MS
 *                                pass): "max POS range LOW HIGH last POS"
 *   checked TITLE ID             1 or 0
 *   enabled TITLE ID             1 or 0
 *   progress TITLE ID            "POS LOW HIGH" of a progress bar
 *   client TITLE                 "WIDTH HEIGHT STYLE EXSTYLE" of the window
 *   post TITLE MSG WPARAM LPARAM post a message (numbers in C notation)
 *   send TITLE MSG WPARAM LPARAM send a message, print its result
 *   foreground TITLE             bring the window to the front
 *   key VK [down|up]             synthesise a key press (both by default)
 *   focus TITLE                  "foreground F active A focus K": 1 where the window is it
 *   focusid TITLE                the id of the control of window TITLE with the keyboard focus
 *                                (0: the window itself or none of its controls)
 *   mode                         the current display mode "W H BPP HZ"
 *   modes                        every mode EnumDisplaySettingsA offers
 *   titles                       the titles of all visible top-level windows
 *   errtext CODE                 the system's text for an error code
 */
#include <windows.h>
#include <commctrl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static HWND findTop(const char* title)
{
    return FindWindowA(NULL, title);
}

static HWND need(const char* title)
{
    HWND w = findTop(title);
    if (!w) {
        fprintf(stderr, "no window titled \"%s\"\n", title);
        exit(1);
    }
    return w;
}

static HWND needItem(HWND w, const char* id)
{
    HWND c = GetDlgItem(w, (int)strtol(id, NULL, 0));
    if (!c) {
        fprintf(stderr, "no control %s\n", id);
        exit(1);
    }
    return c;
}

/* Text crosses processes as UTF-16 whatever the control's owner used, so it
 * is read in the wide form and turned back into the program's 8-bit text. */
static void narrow(const WCHAR* wide, char* out, int size)
{
    if (!WideCharToMultiByte(CP_ACP, 0, wide, -1, out, size, NULL, NULL))
        out[0] = '\0';
}

static void windowText(HWND w, char* out, int size)
{
    WCHAR wide[2048] = L"";
    SendMessageW(w, WM_GETTEXT, sizeof wide / sizeof wide[0], (LPARAM)wide);
    narrow(wide, out, size);
}

static BOOL CALLBACK printChild(HWND child, LPARAM onlyStatic)
{
    char cls[64] = "", text[2048] = "";
    GetClassNameA(child, cls, sizeof cls);
    windowText(child, text, sizeof text);
    if (onlyStatic) {
        if (_stricmp(cls, "Static") == 0 && text[0])
            printf("%s\n", text);
    } else {
        printf("%d\t%s\t%s\n", GetDlgCtrlID(child), cls, text);
    }
    return TRUE;
}

static BOOL CALLBACK printTitle(HWND w, LPARAM unused)
{
    char text[256] = "";
    (void)unused;
    if (IsWindowVisible(w) && GetWindowTextA(w, text, sizeof text) > 0)
        printf("%s\n", text);
    return TRUE;
}

static int waitFor(const char* title, long timeoutMs, int wantPresent)
{
    DWORD start = GetTickCount();
    for (;;) {
        HWND w = findTop(title);
        int present = w && (!wantPresent || IsWindowVisible(w));
        if (present == wantPresent) {
            if (present)
                printf("%p\n", (void*)w);
            return 0;
        }
        if ((long)(GetTickCount() - start) > timeoutMs)
            return 1;
        Sleep(50);
    }
}

static void key(WORD vk, int down, int up)
{
    INPUT in[2];
    int n = 0;
    memset(in, 0, sizeof in);
    if (down) {
        in[n].type = INPUT_KEYBOARD;
        in[n].ki.wVk = vk;
        n++;
    }
    if (up) {
        in[n].type = INPUT_KEYBOARD;
        in[n].ki.wVk = vk;
        in[n].ki.dwFlags = KEYEVENTF_KEYUP;
        n++;
    }
    SendInput(n, in, sizeof(INPUT));
}

int main(int argc, char** argv)
{
    const char* cmd = argc > 1 ? argv[1] : "";
    setvbuf(stdout, NULL, _IONBF, 0);
    if (!strcmp(cmd, "wait") && argc == 4)
        return waitFor(argv[2], strtol(argv[3], NULL, 0), 1);
    if (!strcmp(cmd, "gone") && argc == 4)
        return waitFor(argv[2], strtol(argv[3], NULL, 0), 0);
    if (!strcmp(cmd, "texts") && argc == 3) {
        EnumChildWindows(need(argv[2]), printChild, 0);
        return 0;
    }
    if (!strcmp(cmd, "text") && argc == 3) {
        EnumChildWindows(need(argv[2]), printChild, 1);
        return 0;
    }
    if (!strcmp(cmd, "combo") && argc == 4) {
        HWND c = needItem(need(argv[2]), argv[3]);
        LRESULT count = SendMessageA(c, CB_GETCOUNT, 0, 0);
        printf("selected %d\n", (int)SendMessageA(c, CB_GETCURSEL, 0, 0));
        for (LRESULT i = 0; i < count; i++) {
            WCHAR wide[256] = L"";
            char text[256];
            if (SendMessageW(c, CB_GETLBTEXTLEN, (WPARAM)i, 0) >= 255)
                continue;
            SendMessageW(c, CB_GETLBTEXT, (WPARAM)i, (LPARAM)wide);
            narrow(wide, text, sizeof text);
            printf("%s\n", text);
        }
        return 0;
    }
    if (!strcmp(cmd, "click") && argc == 4) {
        PostMessageA(needItem(need(argv[2]), argv[3]), BM_CLICK, 0, 0);
        return 0;
    }
    if (!strcmp(cmd, "select") && argc == 5) {
        HWND w = need(argv[2]);
        HWND c = needItem(w, argv[3]);
        int index = (int)strtol(argv[4], NULL, 0);
        if (SendMessageA(c, CB_SETCURSEL, (WPARAM)index, 0) != index)
            return 1;
        /* Tell the dialog, as the control does when the user picks an entry. */
        SendMessageA(w, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(c), CBN_SELCHANGE), (LPARAM)c);
        return 0;
    }
    if (!strcmp(cmd, "watchprogress") && argc == 5) {
        long timeoutMs = strtol(argv[4], NULL, 0);
        DWORD start = GetTickCount();
        int maxPos = -1, lastPos = -1, low = 0, high = 0, haveRange = 0;
        HWND w;
        while ((w = findTop(argv[2])) != NULL && (long)(GetTickCount() - start) < timeoutMs) {
            HWND c = GetDlgItem(w, (int)strtol(argv[3], NULL, 0));
            /* The busy loader answers one sent message per step it takes, so
             * the range is read once, after the first step, and from then on
             * only the position, so that no step goes unseen. */
            if (c) {
                lastPos = (int)SendMessageA(c, PBM_GETPOS, 0, 0);
                if (lastPos > maxPos)
                    maxPos = lastPos;
                if (!haveRange && lastPos >= 1 && IsWindow(c)) {
                    high = (int)SendMessageA(c, PBM_GETRANGE, FALSE, 0);
                    low = (int)SendMessageA(c, PBM_GETRANGE, TRUE, 0);
                    haveRange = 1;
                }
            }
        }
        printf("max %d range %d %d last %d\n", maxPos, low, high, lastPos);
        return w == NULL ? 0 : 1;
    }
    if (!strcmp(cmd, "checked") && argc == 4) {
        printf("%d\n", (int)SendMessageA(needItem(need(argv[2]), argv[3]), BM_GETCHECK, 0, 0));
        return 0;
    }
    if (!strcmp(cmd, "enabled") && argc == 4) {
        printf("%d\n", IsWindowEnabled(needItem(need(argv[2]), argv[3])) ? 1 : 0);
        return 0;
    }
    if (!strcmp(cmd, "progress") && argc == 4) {
        HWND c = needItem(need(argv[2]), argv[3]);
        int pos = (int)SendMessageA(c, PBM_GETPOS, 0, 0);
        int low = (int)SendMessageA(c, PBM_GETRANGE, TRUE, 0);
        int high = (int)SendMessageA(c, PBM_GETRANGE, FALSE, 0);
        printf("%d %d %d\n", pos, low, high);
        return 0;
    }
    if (!strcmp(cmd, "client") && argc == 3) {
        HWND w = need(argv[2]);
        RECT r;
        GetClientRect(w, &r);
        printf("%ld %ld 0x%08lx 0x%08lx\n", r.right - r.left, r.bottom - r.top,
               (unsigned long)GetWindowLongA(w, GWL_STYLE), (unsigned long)GetWindowLongA(w, GWL_EXSTYLE));
        return 0;
    }
    if ((!strcmp(cmd, "post") || !strcmp(cmd, "send")) && argc == 6) {
        HWND w = need(argv[2]);
        UINT msg = (UINT)strtoul(argv[3], NULL, 0);
        WPARAM wp = (WPARAM)strtoull(argv[4], NULL, 0);
        LPARAM lp = (LPARAM)strtoll(argv[5], NULL, 0);
        if (cmd[0] == 'p')
            return PostMessageA(w, msg, wp, lp) ? 0 : 1;
        printf("%lld\n", (long long)SendMessageA(w, msg, wp, lp));
        return 0;
    }
    if (!strcmp(cmd, "foreground") && argc == 3) {
        HWND w = need(argv[2]);
        SetForegroundWindow(w);
        SetActiveWindow(w);
        return 0;
    }
    if (!strcmp(cmd, "focus") && argc == 3) {
        HWND w = need(argv[2]);
        GUITHREADINFO info;
        memset(&info, 0, sizeof info);
        info.cbSize = sizeof info;
        GetGUIThreadInfo(GetWindowThreadProcessId(w, NULL), &info);
        printf("foreground %d active %d focus %d\n", GetForegroundWindow() == w,
               info.hwndActive == w, info.hwndFocus == w);
        return 0;
    }
    if (!strcmp(cmd, "focusid") && argc == 3) {
        HWND w = need(argv[2]);
        GUITHREADINFO info;
        memset(&info, 0, sizeof info);
        info.cbSize = sizeof info;
        GetGUIThreadInfo(GetWindowThreadProcessId(w, NULL), &info);
        printf("%d\n", info.hwndFocus && IsChild(w, info.hwndFocus) ? GetDlgCtrlID(info.hwndFocus) : 0);
        return 0;
    }
    if (!strcmp(cmd, "key") && (argc == 3 || argc == 4)) {
        WORD vk = (WORD)strtol(argv[2], NULL, 0);
        const char* how = argc == 4 ? argv[3] : "press";
        key(vk, strcmp(how, "up") != 0, strcmp(how, "down") != 0);
        return 0;
    }
    if (!strcmp(cmd, "mode") && argc == 2) {
        DEVMODEA m;
        memset(&m, 0, sizeof m);
        m.dmSize = sizeof m;
        if (!EnumDisplaySettingsA(NULL, ENUM_CURRENT_SETTINGS, &m))
            return 1;
        printf("%lu %lu %lu %lu\n", m.dmPelsWidth, m.dmPelsHeight, m.dmBitsPerPel, m.dmDisplayFrequency);
        return 0;
    }
    if (!strcmp(cmd, "modes") && argc == 2) {
        DEVMODEA m;
        for (DWORD i = 0;; i++) {
            memset(&m, 0, sizeof m);
            m.dmSize = sizeof m;
            if (!EnumDisplaySettingsA(NULL, i, &m))
                break;
            printf("%lu %lu %lu %lu\n", m.dmPelsWidth, m.dmPelsHeight, m.dmBitsPerPel, m.dmDisplayFrequency);
        }
        return 0;
    }
    if (!strcmp(cmd, "titles") && argc == 2) {
        EnumWindows(printTitle, 0);
        return 0;
    }
    if (!strcmp(cmd, "errtext") && argc == 3) {
        char* text = NULL;
        FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                           FORMAT_MESSAGE_IGNORE_INSERTS,
                       NULL, (DWORD)strtoul(argv[2], NULL, 0), MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                       (LPSTR)&text, 0, NULL);
        printf("%s", text ? text : "");
        LocalFree(text);
        return 0;
    }
    fprintf(stderr, "usage: see the comment at the top of wintool.c\n");
    return 2;
}
