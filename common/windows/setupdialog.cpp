#include "glwindow.h"

#include "modefilter.h"
#include "programicon.h"
#include "reporterror.h"
#include "resource.h"
#include "windowfailure.h"

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>

static ModeFields modeFieldsOf(const DEVMODEA& mode)
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

int GLWindow::findMode(uint32_t modeWidth, uint32_t modeHeight, uint32_t modeBitsPerPixel) const
{
    return findModeIndex(modes, modeWidth, modeHeight, modeBitsPerPixel);
}

bool GLWindow::showSelectDialog()
{
    INITCOMMONCONTROLSEX controls = {};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_PROGRESS_CLASS;
    if (!InitCommonControlsEx(&controls)) {
        REPORT_WINDOW_FAILURE();
        return false;
    }

    for (DWORD modeNumber = 0;; modeNumber++) {
        DEVMODEA* mode = static_cast<DEVMODEA*>(calloc(1, sizeof(DEVMODEA)));
        if (!mode)
            break;
        mode->dmSize = sizeof(DEVMODEA);
        if (!EnumDisplaySettingsA(nullptr, modeNumber, mode)) {
            free(mode);
            break;
        }
        if (modeBelongsInList(modes, *mode))
            modes.push_back(mode);
        else
            free(mode);
    }
    if (modes.empty()) {
        reportError(false, "Couldn't find any display modes!");
        return false;
    }

    dialog = CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_SETUP), nullptr, dialogProc,
                                reinterpret_cast<LPARAM>(this));
    if (!dialog) {
        REPORT_WINDOW_FAILURE();
        return false;
    }
    ShowWindow(dialog, SW_SHOW);

    MSG message;
    for (;;) {
        BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == -1) {
            REPORT_WINDOW_FAILURE();
            return false;
        }
        if (got == 0)
            break;
        if (!IsWindow(dialog) || !IsDialogMessageA(dialog, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        if (dialogAccepted || dialogCancelled)
            break;
    }
    if (dialogAccepted)
        return true;
    closeDialog();
    return false;
}

void GLWindow::setProgressRange(int steps)
{
    SendMessageA(GetDlgItem(dialog, IDC_PROGRESS), PBM_SETRANGE, 0,
                 MAKELPARAM(0, static_cast<WORD>(steps)));
    setProgress(0);
}

void GLWindow::setProgress(int position)
{
    progressPosition = position;
    SendMessageA(GetDlgItem(dialog, IDC_PROGRESS), PBM_SETPOS, static_cast<WPARAM>(position), 0);
    // One waiting message of the dialog, so the bar repaints while loading goes on.
    MSG message;
    if (PeekMessageA(&message, dialog, 0, 0, PM_REMOVE)) {
        if (!IsWindow(dialog) || !IsDialogMessageA(dialog, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

void GLWindow::stepProgress()
{
    setProgress(progressPosition + 1);
}

void GLWindow::closeDialog()
{
    DestroyWindow(dialog);
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
        snprintf(text, sizeof text, "%d x %d x %d bpp", static_cast<int>(mode->dmPelsWidth),
                 static_cast<int>(mode->dmPelsHeight), static_cast<int>(mode->dmBitsPerPel));
        SendMessageA(resolutionList, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
    int selected = owner->findMode(owner->width, owner->height, owner->bitsPerPixel);
    SendMessageA(resolutionList, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
    SendMessageA(progressBar, PBM_SETSTEP, 1, 0);
    SendMessageA(progressBar, PBM_SETRANGE, 0, MAKELPARAM(0, 100));
}

static void acceptChoice(GLWindow* owner)
{
    LRESULT selected = SendMessageA(resolutionList, CB_GETCURSEL, 0, 0);
    if (selected == CB_ERR || selected < 0 || static_cast<size_t>(selected) >= owner->modes.size()) {
        reportError(false, "Please select a resolution!");
        return;
    }
    DisplayMode* mode = owner->modes[static_cast<size_t>(selected)];
    owner->width = mode->dmPelsWidth;
    owner->height = mode->dmPelsHeight;
    owner->bitsPerPixel = mode->dmBitsPerPel;
    owner->chosenMode = mode;
    owner->fullScreen = SendMessageA(fullScreenButton, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
    owner->dialogAccepted = 1;
    // Only the progress bar stays live while the demo loads.
    EnableWindow(resolutionList, FALSE);
    EnableWindow(fullScreenButton, FALSE);
    EnableWindow(windowedButton, FALSE);
    EnableWindow(okButton, FALSE);
    EnableWindow(cancelButton, FALSE);
    EnableMenuItem(GetSystemMenu(GetParent(okButton), FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
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
            acceptChoice(dialogOwner);
        else if (LOWORD(wParam) == IDCANCEL)
            dialogOwner->dialogCancelled = 1;
        return TRUE;
    case WM_CLOSE:
        // The close box is Cancel, until OK has started the loading.
        if (dialogOwner && !dialogOwner->dialogAccepted)
            dialogOwner->dialogCancelled = 1;
        return TRUE;
    default:
        return FALSE;
    }
}
