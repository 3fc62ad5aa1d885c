#include "reporterror.h"

#include "errormessage.h"

#include <windows.h>

#include <cstdarg>
#include <cstdlib>

void reportError(bool appendSystemText, const char* format, ...)
{
    char* systemText = nullptr;
    char unknownErrorText[64];
    const char* appendedText = nullptr;
    if (appendSystemText) {
        DWORD code = GetLastError();
        DWORD length = FormatMessageA(
            FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
            nullptr, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
            reinterpret_cast<LPSTR>(&systemText), 0, nullptr);
        if (length != 0 && systemText) {
            appendedText = systemText;
        } else {
            describeUnknownError(unknownErrorText, sizeof unknownErrorText, code);
            appendedText = unknownErrorText;
        }
    }

    va_list args;
    va_start(args, format);
    char* message = formatErrorMessage(appendedText, format, args);
    va_end(args);

    // Should the message itself be unprintable, its format still tells the user
    // what went wrong.
    MessageBoxA(nullptr, message ? message : format, "Error", MB_OK | MB_ICONEXCLAMATION);

    free(message);
    if (systemText)
        LocalFree(systemText);
}

void showMessage(const char* text)
{
    MessageBoxA(nullptr, text, "", MB_OK);
}
