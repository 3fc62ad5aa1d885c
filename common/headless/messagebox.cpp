// Message boxes without a screen: the text on standard error, and the
// program goes on as if OK had been pressed.
#include "messagebox.h"

#include "errormessage.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

void showMessageBox(const char* text, const char* caption, bool)
{
    std::fprintf(stderr, "%s%s%s\n", caption, *caption ? ": " : "", text);
    std::fflush(stderr);
}

char* lastErrorText()
{
    return joinErrorText(std::strerror(errno), "\n");
}

// The window system's calls set errno where they fail.
char* windowErrorText()
{
    return joinErrorText(std::strerror(errno), "\n");
}
