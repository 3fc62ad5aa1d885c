// The Setup dialog inside a 1024 x 768 virtual desktop: 9 sizes at 32, 16 and
// 8 bits per pixel, all at 60 Hz. A second thread plays the user.
#include "glwindow.h"

#include "resource.h"
#include "windowtesthelpers.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <cctype>
#include <cstring>
#include <functional>
#include <string>
#include <thread>

// In the order the system enumerates them: every size at 32 bits, then at 16
// (the 8-bit ones that follow are left out).
static const char* const expectedEntries[] = {
    "320 x 200 x 32 bpp", "320 x 240 x 32 bpp", "400 x 300 x 32 bpp", "512 x 384 x 32 bpp",
    "640 x 400 x 32 bpp", "640 x 480 x 32 bpp", "768 x 576 x 32 bpp", "800 x 600 x 32 bpp",
    "1024 x 768 x 32 bpp", "320 x 200 x 16 bpp", "320 x 240 x 16 bpp", "400 x 300 x 16 bpp",
    "512 x 384 x 16 bpp", "640 x 400 x 16 bpp", "640 x 480 x 16 bpp", "768 x 576 x 16 bpp",
    "800 x 600 x 16 bpp", "1024 x 768 x 16 bpp",
};

// Runs showSelectDialog on this thread while `user` acts on the dialog from a
// second one. Should the user leave the dialog open, a quit message ends it.
static bool runDialog(GLWindow* window, const std::function<void(HWND dialog)>& user)
{
    DWORD mainThread = GetCurrentThreadId();
    std::atomic<bool> finished{false};
    std::thread person([&] {
        HWND dialog = waitForWindow("#32770", "Setup", 20000);
        if (dialog)
            user(dialog);
        DWORD start = GetTickCount();
        while (!finished && GetTickCount() - start < 10000)
            Sleep(20);
        if (!finished)
            PostThreadMessageA(mainThread, WM_QUIT, 0, 0);
    });
    bool accepted = window->showSelectDialog();
    finished = true;
    person.join();
    return accepted;
}

// Presses and releases a key as the keyboard would, for the focused window.
static void pressKey(WORD key)
{
    INPUT input[2] = {};
    input[0].type = INPUT_KEYBOARD;
    input[0].ki.wVk = key;
    input[1] = input[0];
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, input, sizeof(INPUT));
}

// Whether the keyboard focus of this dialog's thread is in the dialog.
static bool focusIsIn(HWND dialog)
{
    DWORD start = GetTickCount();
    while (GetTickCount() - start < 5000) {
        GUITHREADINFO info = {};
        info.cbSize = sizeof info;
        if (GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info) && info.hwndFocus &&
            (info.hwndFocus == dialog || IsChild(dialog, info.hwndFocus)))
            return true;
        Sleep(20);
    }
    return false;
}

static LRESULT sendTo(HWND dialog, int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
{
    return SendMessageA(GetDlgItem(dialog, id), message, wParam, lParam);
}

static std::string comboEntries(HWND dialog)
{
    std::string entries;
    LRESULT count = sendTo(dialog, IDC_RESOLUTION, CB_GETCOUNT);
    for (LRESULT i = 0; i < count; i++) {
        char text[64] = "";
        sendTo(dialog, IDC_RESOLUTION, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        entries += std::string(text) + "\n";
    }
    return entries;
}

static std::string expectedList()
{
    std::string entries;
    for (const char* entry : expectedEntries)
        entries += std::string(entry) + "\n";
    return entries;
}

// Reads the dialog template as the resource compiler wrote it: one line for the
// dialog, then one per control.
struct TemplateReader {
    const BYTE* at;
    const BYTE* end;
    bool ok = true;

    template <typename T> T take()
    {
        T value{};
        if (at + sizeof(T) > end) {
            ok = false;
            return value;
        }
        memcpy(&value, at, sizeof(T));
        at += sizeof(T);
        return value;
    }
    std::string text()
    {
        std::string result;
        for (WORD c = take<WORD>(); ok && c != 0; c = take<WORD>())
            result += static_cast<char>(c);
        return result;
    }
    // A name or an ordinal: "#n" for ordinals.
    std::string nameOrOrdinal()
    {
        WORD first = take<WORD>();
        if (first == 0xFFFF)
            return "#" + std::to_string(take<WORD>());
        at -= sizeof(WORD);
        return text();
    }
    void alignToDword(const BYTE* start)
    {
        while ((at - start) % 4 != 0)
            at++;
    }
};

// Control classes given by ordinal or by name, as one upper-case name.
static std::string className(std::string kind)
{
    const char* const ordinals[][2] = {{"#128", "BUTTON"}, {"#129", "EDIT"}, {"#130", "STATIC"},
                                       {"#131", "LISTBOX"}, {"#132", "SCROLLBAR"}, {"#133", "COMBOBOX"}};
    for (const auto& ordinal : ordinals)
        if (kind == ordinal[0])
            return ordinal[1];
    for (char& c : kind)
        c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    return kind;
}

static std::string readSetupTemplate()
{
    HRSRC resource = FindResourceA(nullptr, MAKEINTRESOURCEA(IDD_SETUP), reinterpret_cast<LPCSTR>(RT_DIALOG));
    if (!resource)
        return "no dialog 101";
    const BYTE* start = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, resource)));
    TemplateReader in{start, start + SizeofResource(nullptr, resource)};
    char line[256];
    std::string result;

    WORD version = in.take<WORD>();
    WORD signature = in.take<WORD>();
    in.take<DWORD>();  // help id
    DWORD exStyle = in.take<DWORD>();
    DWORD style = in.take<DWORD>();
    WORD count = in.take<WORD>();
    short x = in.take<short>(), y = in.take<short>(), cx = in.take<short>(), cy = in.take<short>();
    std::string menu = in.nameOrOrdinal();
    std::string windowClass = in.nameOrOrdinal();
    std::string caption = in.text();
    WORD points = in.take<WORD>();
    in.take<WORD>();  // weight
    in.take<BYTE>();  // italic
    in.take<BYTE>();  // character set
    std::string font = in.text();
    snprintf(line, sizeof line, "DIALOGEX %d/%04x %d,%d,%d,%d style 0x%08lx ex 0x%lx menu \"%s\" class \"%s\" \"%s\" font %d \"%s\"\n",
             version, signature, x, y, cx, cy, static_cast<unsigned long>(style),
             static_cast<unsigned long>(exStyle), menu.c_str(), windowClass.c_str(), caption.c_str(),
             points, font.c_str());
    result += line;

    for (WORD item = 0; item < count && in.ok; item++) {
        in.alignToDword(start);
        in.take<DWORD>();  // help id
        DWORD itemExStyle = in.take<DWORD>();
        DWORD itemStyle = in.take<DWORD>();
        short ix = in.take<short>(), iy = in.take<short>(), icx = in.take<short>(), icy = in.take<short>();
        int id = static_cast<int>(in.take<DWORD>());
        std::string itemClass = className(in.nameOrOrdinal());
        std::string itemText = in.nameOrOrdinal();
        WORD extra = in.take<WORD>();
        in.at += extra;
        snprintf(line, sizeof line, "%d %s \"%s\" %d,%d,%d,%d style 0x%08lx ex 0x%lx\n", id, itemClass.c_str(),
                 itemText.c_str(), ix, iy, icx, icy, static_cast<unsigned long>(itemStyle),
                 static_cast<unsigned long>(itemExStyle));
        result += line;
    }
    return in.ok ? result : result + "cut short\n";
}

class SetupDialogTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        if (window && window->dialog && IsWindow(window->dialog))
            window->closeDialog();
        delete window;
        drainMessages();
    }
    GLWindow* make(uint32_t width, uint32_t height, uint32_t bitsPerPixel)
    {
        window = new GLWindow(GetModuleHandleA(nullptr), "snowgig test", width, height, bitsPerPixel, true);
        return window;
    }
    GLWindow* window = nullptr;
};

TEST(SetupTemplate, EveryControlHasItsIdTextPlaceAndStyle)
{
    // Every control is a visible child (0x50000000). In Tab order: the radio
    // group (WS_GROUP | WS_TABSTOP on its first button), the list after its
    // label, the progress bar, OK and Cancel; each group starts with WS_GROUP.
    EXPECT_EQ(readSetupTemplate(),
              "DIALOGEX 1/ffff 0,0,233,106 style 0x80c808c8 ex 0x0 menu \"\" class \"\" \"Setup\" font 8 \"MS Shell Dlg\"\n"
              "1001 BUTTON \"&Full-screen\" 17,20,51,10 style 0x50030009 ex 0x0\n"
              "1004 BUTTON \"&Windowed\" 17,38,49,10 style 0x50000009 ex 0x0\n"
              "-1 BUTTON \"Graphics\" 8,7,217,50 style 0x50020007 ex 0x0\n"
              "-1 STATIC \"&Resolution:\" 88,22,37,8 style 0x50000000 ex 0x0\n"
              "1002 COMBOBOX \"\" 127,20,87,79 style 0x50210003 ex 0x0\n"
              "1003 MSCTLS_PROGRESS32 \"\" 8,62,217,18 style 0x50820000 ex 0x0\n"
              "1 BUTTON \"OK\" 121,85,50,14 style 0x50030001 ex 0x0\n"
              "2 BUTTON \"Cancel\" 175,85,50,14 style 0x50010000 ex 0x0\n");
}

TEST_F(SetupDialogTest, DialogIsCentredWithTheKeyboardInItAndEscapeCancels)
{
    GLWindow* w = make(640, 480, 32);
    std::string caption;
    DWORD style = 0;
    RECT place = {};
    bool focused = false;
    int progressLow = -1, progressHigh = -1;
    bool accepted = runDialog(w, [&](HWND dialog) {
        caption = windowText(dialog);
        style = static_cast<DWORD>(GetWindowLongA(dialog, GWL_STYLE));
        GetWindowRect(dialog, &place);
        progressLow = static_cast<int>(sendTo(dialog, IDC_PROGRESS, PBM_GETRANGE, TRUE));
        progressHigh = static_cast<int>(sendTo(dialog, IDC_PROGRESS, PBM_GETRANGE, FALSE));
        focused = focusIsIn(dialog);
        pressKey(VK_ESCAPE);
    });
    EXPECT_EQ(caption, "Setup");
    EXPECT_TRUE(style & WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);  // the close box, which cancels
    EXPECT_NEAR((place.left + place.right) / 2, 512, 1);
    EXPECT_NEAR((place.top + place.bottom) / 2, 384, 1);
    EXPECT_EQ(progressLow, 0);
    EXPECT_EQ(progressHigh, 100);
    EXPECT_TRUE(focused);

    EXPECT_FALSE(accepted);
    EXPECT_EQ(w->dialogCancelled, 1);
    EXPECT_EQ(w->dialogAccepted, 0);
    EXPECT_FALSE(IsWindow(w->dialog));
    EXPECT_EQ(w->chosenMode, nullptr);
}

TEST_F(SetupDialogTest, ListOffersTheFilteredModesAndEnterTakesThePreselectedOne)
{
    GLWindow* w = make(640, 480, 32);
    std::string entries;
    LRESULT selected = -2;
    bool fullScreenChecked = false, windowedChecked = true, focused = false;
    bool accepted = runDialog(w, [&](HWND dialog) {
        entries = comboEntries(dialog);
        selected = sendTo(dialog, IDC_RESOLUTION, CB_GETCURSEL);
        fullScreenChecked = sendTo(dialog, IDC_FULLSCREEN, BM_GETCHECK) == BST_CHECKED;
        windowedChecked = sendTo(dialog, IDC_WINDOWED, BM_GETCHECK) == BST_CHECKED;
        focused = focusIsIn(dialog);
        pressKey(VK_RETURN);
    });
    EXPECT_EQ(entries, expectedList());
    EXPECT_EQ(selected, 5);
    EXPECT_TRUE(fullScreenChecked);
    EXPECT_FALSE(windowedChecked);
    EXPECT_TRUE(focused);

    ASSERT_TRUE(accepted);
    EXPECT_EQ(w->modes.size(), 18u);
    EXPECT_EQ(w->findMode(640, 480, 32), 5);
    EXPECT_EQ(w->findMode(640, 480, 8), -1);
    ASSERT_NE(w->chosenMode, nullptr);
    EXPECT_EQ(w->chosenMode, w->modes[5]);
    EXPECT_EQ(w->chosenMode->dmDisplayFrequency, 60u);
    EXPECT_EQ(w->width, 640u);
    EXPECT_EQ(w->height, 480u);
    EXPECT_EQ(w->bitsPerPixel, 32u);
    EXPECT_EQ(w->fullScreen, 1);

    // The dialog stays as the loading screen with only its progress bar live.
    HWND dialog = w->dialog;
    ASSERT_TRUE(IsWindow(dialog));
    EXPECT_TRUE(IsWindowVisible(dialog));
    for (int id : {IDC_RESOLUTION, IDC_FULLSCREEN, IDC_WINDOWED, IDOK, IDCANCEL})
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, id))) << id;
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDC_PROGRESS)));

    HWND bar = GetDlgItem(dialog, IDC_PROGRESS);
    EXPECT_EQ(SendMessageA(bar, PBM_GETRANGE, FALSE, 0), 100);
    w->setProgressRange(27);
    EXPECT_EQ(SendMessageA(bar, PBM_GETRANGE, TRUE, 0), 0);
    EXPECT_EQ(SendMessageA(bar, PBM_GETRANGE, FALSE, 0), 27);
    EXPECT_EQ(SendMessageA(bar, PBM_GETPOS, 0, 0), 0);
    EXPECT_EQ(w->progressPosition, 0);
    for (int step = 1; step <= 3; step++)
        w->stepProgress();
    EXPECT_EQ(w->progressPosition, 3);
    EXPECT_EQ(SendMessageA(bar, PBM_GETPOS, 0, 0), 3);
    w->setProgress(26);
    EXPECT_EQ(SendMessageA(bar, PBM_GETPOS, 0, 0), 26);
    w->stepProgress();
    EXPECT_EQ(w->progressPosition, 27);

    // Each step takes at most one waiting message of the dialog.
    drainMessages();
    const UINT marker = WM_APP + 7;
    PostMessageA(dialog, marker, 0, 0);
    PostMessageA(dialog, marker, 0, 0);
    w->stepProgress();
    MSG message;
    int left = 0;
    while (PeekMessageA(&message, dialog, marker, marker, PM_REMOVE))
        left++;
    EXPECT_EQ(left, 1);

    w->closeDialog();
    EXPECT_FALSE(IsWindow(dialog));
}

TEST_F(SetupDialogTest, OkWithoutSelectionAsksForOneAndTheDialogStaysUsable)
{
    GLWindow* w = make(641, 480, 32);  // a size the display does not offer
    LRESULT selected = -2;
    MessageBoxWatch watch;
    bool okStillEnabled = false;
    bool accepted = runDialog(w, [&](HWND dialog) {
        selected = sendTo(dialog, IDC_RESOLUTION, CB_GETCURSEL);
        startMessageBoxWatch(watch, 10000);
        PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
        finishMessageBoxWatch(watch, 1);
        okStillEnabled = IsWindowEnabled(GetDlgItem(dialog, IDOK));

        // Then the user picks 800 x 600 x 16 in a window and presses OK.
        sendTo(dialog, IDC_RESOLUTION, CB_SETCURSEL, 16);
        sendTo(dialog, IDC_WINDOWED, BM_CLICK);
        PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(selected, CB_ERR);
    ASSERT_EQ(watch.texts.size(), 1u);
    EXPECT_EQ(watch.texts[0], "Please select a resolution!");
    EXPECT_TRUE(okStillEnabled);

    ASSERT_TRUE(accepted);
    EXPECT_EQ(w->width, 800u);
    EXPECT_EQ(w->height, 600u);
    EXPECT_EQ(w->bitsPerPixel, 16u);
    EXPECT_EQ(w->fullScreen, 0);
    EXPECT_EQ(w->chosenMode, w->modes[16]);
    EXPECT_EQ(SendMessageA(GetDlgItem(w->dialog, IDC_FULLSCREEN), BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

TEST_F(SetupDialogTest, MissingTemplateIsReportedWithTheSystemText)
{
    // A module without the dialog template.
    window = new GLWindow(GetModuleHandleA("kernel32.dll"), "snowgig test", 640, 480, 32, true);
    MessageBoxWatch watch;
    startMessageBoxWatch(watch, 10000);
    bool accepted = window->showSelectDialog();
    finishMessageBoxWatch(watch, 1);
    EXPECT_FALSE(accepted);
    ASSERT_EQ(watch.texts.size(), 1u);
    std::string text = watch.texts[0];
    EXPECT_EQ(text.rfind("At line ", 0), 0u) << text;
    size_t path = text.find(" of ");
    size_t colon = text.find(":\n");
    ASSERT_NE(path, std::string::npos) << text;
    ASSERT_NE(colon, std::string::npos) << text;
    EXPECT_GT(atoi(text.c_str() + 8), 0);
    EXPECT_NE(text.find("setupdialog.cpp", path), std::string::npos) << text;
    // The system's text for the failure follows on a line of its own.
    std::string systemText = text.substr(colon + 2);
    EXPECT_GT(systemText.size(), 2u);
    EXPECT_EQ(systemText.back(), '\n');
    EXPECT_EQ(systemText.find("Unknown error"), std::string::npos) << text;
}
