// The program's error boxes, over each platform's box and error texts.
#include "reporterror.h"

#include "errormessage.h"
#include "messagebox.h"
#include "windowfailure.h"

#include <cstdarg>
#include <cstdlib>

// The formatted message with `appended` (if not null) on the line behind it.
static void showError(const char* appended, const char* format, va_list args)
{
    char* message = formatErrorMessage(appended, format, args);
    // Should the message itself be unprintable, its format still tells the user
    // what went wrong.
    showMessageBox(message ? message : format, "Error", true);
    free(message);
}

static void showErrorWithText(const char* appended, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    showError(appended, format, args);
    va_end(args);
}

void reportError(bool appendSystemText, const char* format, ...)
{
    // Read first, before anything else can change the last error.
    char* systemText = appendSystemText ? lastErrorText() : nullptr;
    va_list args;
    va_start(args, format);
    showError(systemText, format, args);
    va_end(args);
    free(systemText);
}

void reportWindowFailure(int line, const char* file)
{
    char* systemText = windowErrorText();
    showErrorWithText(systemText, "At line %i of %s:\n", line, file);
    free(systemText);
}

void showMessage(const char* text)
{
    showMessageBox(text, "", false);
}
