// Error boxes as boxes in the page, titled as on the desktop. Each message
// also goes to the browser's console.
#include "reporterror.h"

#include "errormessage.h"
#include "pagecalls.h"
#include "windowfailure.h"

#include <SDL/SDL.h>

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

void showBox(const char* text, const char* caption)
{
    fprintf(stderr, "%s%s%s\n", caption, *caption ? ": " : "", text);
    pageShowMessage(caption, text);
}

void showError(const char* appended, const char* format, va_list args)
{
    char* message = formatErrorMessage(appended, format, args);
    // Should the message itself be unprintable, its format still tells the user
    // what went wrong.
    showBox(message ? message : format, "Error");
    free(message);
}

void showErrorWithText(const char* appended, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    showError(appended, format, args);
    va_end(args);
}

}  // namespace

void reportError(bool appendSystemText, const char* format, ...)
{
    std::string systemText;
    if (appendSystemText)
        systemText = std::string(strerror(errno)) + "\n";
    va_list args;
    va_start(args, format);
    showError(appendSystemText ? systemText.c_str() : nullptr, format, args);
    va_end(args);
}

void reportWindowFailure(int line, const char* file)
{
    std::string sdlText = std::string(SDL_GetError()) + "\n";
    showErrorWithText(sdlText.c_str(), "At line %i of %s:\n", line, file);
}

void showMessage(const char* text)
{
    showBox(text, "");
}
