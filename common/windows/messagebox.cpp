// Message boxes and the system's error texts on Win32.
#include "messagebox.h"

#include "errormessage.h"

#include <windows.h>

void showMessageBox(const char* text, const char* caption, bool error)
{
    MessageBoxA(nullptr, text, caption, error ? MB_OK | MB_ICONEXCLAMATION : MB_OK);
}

char* lastErrorText()
{
    const DWORD code = GetLastError();
    char* systemText = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
        reinterpret_cast<LPSTR>(&systemText), 0, nullptr);
    if (length != 0 && systemText) {
        char* text = joinErrorText(systemText, "");
        LocalFree(systemText);
        return text;
    }
    if (systemText)
        LocalFree(systemText);
    char unknownErrorText[64];
    describeUnknownError(unknownErrorText, sizeof unknownErrorText, code);
    return joinErrorText(unknownErrorText, "");
}

// A failed Win32 call leaves its cause as the thread's last error.
char* windowErrorText()
{
    return lastErrorText();
}
