// The Setup dialog on Win32: the modeless dialog of resource 101 with its
// controls, the system's display modes, and the progress bar that serves as
// the loading screen after OK.
#include "glwindow.h"

#include "modefilter.h"
#include "programicon.h"
#include "resource.h"
#include "windowfailure.h"
#include "windowsystem.h"

#include <windows.h>
#include <commctrl.h>

#include <cstdlib>

ModeFields modeFieldsOf(const DEVMODEA& mode)
{
    return {static_cast<uint32_t>(mode.dmPelsWidth), static_cast<uint32_t>(mode.dmPelsHeight),
            static_cast<uint32_t>(mode.dmBitsPerPel), static_cast<uint32_t>(mode.dmDisplayFrequency)};
}

// The dialog procedure serves one GLWindow and keeps the controls it changes.
static GLWindow* dialogOwner = nullptr;
static HWND resolutionList = nullptr;
static HWND progressBar = nullptr;
static HWND fullScreenButton = nullptr;
static HWND windowedButton = nullptr;
static HWND okButton = nullptr;
static HWND cancelButton = nullptr;

static INT_PTR CALLBACK dialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

bool prepareSetupDialog(GLWindow*)
{
    INITCOMMONCONTROLSEX controls = {};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_PROGRESS_CLASS;
    if (!InitCommonControlsEx(&controls)) {
        REPORT_WINDOW_FAILURE();
        return false;
    }
    return true;
}

DisplayMode* readDisplayMode(int number)
{
    DEVMODEA* mode = static_cast<DEVMODEA*>(calloc(1, sizeof(DEVMODEA)));
    if (!mode)
        return nullptr;
    mode->dmSize = sizeof(DEVMODEA);
    if (!EnumDisplaySettingsA(nullptr, static_cast<DWORD>(number), mode)) {
        free(mode);
        return nullptr;
    }
    return mode;
}

void freeDisplayMode(DisplayMode* mode)
{
    free(mode);
}

bool openSetupDialog(GLWindow* owner)
{
    owner->dialog = CreateDialogParamA(owner->instance, MAKEINTRESOURCEA(IDD_SETUP), nullptr,
                                       dialogProc, reinterpret_cast<LPARAM>(owner));
    if (!owner->dialog) {
        REPORT_WINDOW_FAILURE();
        return false;
    }
    ShowWindow(owner->dialog, SW_SHOW);
    return true;
}

bool waitForSetupChoice(GLWindow* owner)
{
    MSG message;
    for (;;) {
        BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == -1) {
            REPORT_WINDOW_FAILURE();
            return false;
        }
        if (got == 0)
            return true;
        if (!IsWindow(owner->dialog) || !IsDialogMessageA(owner->dialog, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        if (owner->dialogAccepted || owner->dialogCancelled)
            return true;
    }
}

void lockSetupDialog(GLWindow*)
{
    EnableWindow(resolutionList, FALSE);
    EnableWindow(fullScreenButton, FALSE);
    EnableWindow(windowedButton, FALSE);
    EnableWindow(okButton, FALSE);
    EnableWindow(cancelButton, FALSE);
    EnableMenuItem(GetSystemMenu(GetParent(okButton), FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
}

void showProgress(GLWindow* owner)
{
    HWND bar = GetDlgItem(owner->dialog, IDC_PROGRESS);
    SendMessageA(bar, PBM_SETRANGE, 0, MAKELPARAM(0, static_cast<WORD>(owner->progressSteps)));
    SendMessageA(bar, PBM_SETPOS, static_cast<WPARAM>(owner->progressPosition), 0);
    // One waiting message of the dialog, so the bar repaints while loading goes on.
    MSG message;
    if (PeekMessageA(&message, owner->dialog, 0, 0, PM_REMOVE)) {
        if (!IsWindow(owner->dialog) || !IsDialogMessageA(owner->dialog, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

void GLWindow::closeDialog()
{
    if (!dialog)
        return;
    DestroyWindow(dialog);
    dialog = nullptr;
}

static void fillDialog(HWND dialog, GLWindow* owner)
{
    resolutionList = GetDlgItem(dialog, IDC_RESOLUTION);
    progressBar = GetDlgItem(dialog, IDC_PROGRESS);
    fullScreenButton = GetDlgItem(dialog, IDC_FULLSCREEN);
    windowedButton = GetDlgItem(dialog, IDC_WINDOWED);
    okButton = GetDlgItem(dialog, IDOK);
    cancelButton = GetDlgItem(dialog, IDCANCEL);

    SendMessageA(dialog, WM_SETICON, ICON_BIG,
                 reinterpret_cast<LPARAM>(programIcon(owner->instance, ICON_BIG)));
    SendMessageA(dialog, WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(programIcon(owner->instance, ICON_SMALL)));
    SendMessageA(owner->fullScreen ? fullScreenButton : windowedButton, BM_SETCHECK, BST_CHECKED, 0);
    for (DisplayMode* mode : owner->modes) {
        char text[32];
        setupEntryText(*mode, text, sizeof text);
        SendMessageA(resolutionList, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
    int selected = owner->findMode(owner->width, owner->height, owner->bitsPerPixel);
    SendMessageA(resolutionList, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
    SendMessageA(progressBar, PBM_SETSTEP, 1, 0);
    SendMessageA(progressBar, PBM_SETRANGE, 0, MAKELPARAM(0, 100));
}

static INT_PTR CALLBACK dialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        dialogOwner = reinterpret_cast<GLWindow*>(lParam);
        fillDialog(dialog, dialogOwner);
        return TRUE;
    case WM_COMMAND:
        if (!dialogOwner)
            return TRUE;
        if (LOWORD(wParam) == IDOK)
            acceptSetupChoice(dialogOwner,
                              static_cast<int>(SendMessageA(resolutionList, CB_GETCURSEL, 0, 0)),
                              SendMessageA(fullScreenButton, BM_GETCHECK, 0, 0) == BST_CHECKED);
        else if (LOWORD(wParam) == IDCANCEL)
            cancelSetupChoice(dialogOwner);
        return TRUE;
    case WM_CLOSE:
        // The close box is Cancel, until OK has started the loading.
        if (dialogOwner)
            cancelSetupChoice(dialogOwner);
        return TRUE;
    default:
        return FALSE;
    }
}
