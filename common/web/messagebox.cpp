// Message boxes in the page, titled as on the desktop. Each message also goes
// to the browser's console.
#include "messagebox.h"

#include "errormessage.h"
#include "pagecalls.h"

#include <SDL/SDL.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

void showMessageBox(const char* text, const char* caption, bool)
{
    fprintf(stderr, "%s%s%s\n", caption, *caption ? ": " : "", text);
    pageShowMessage(caption, text);
}

char* lastErrorText()
{
    return joinErrorText(strerror(errno), "\n");
}

char* windowErrorText()
{
    return joinErrorText(SDL_GetError(), "\n");
}
