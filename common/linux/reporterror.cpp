// Error boxes as GTK message dialogs. Each message also goes to standard error,
// where a Linux user who started the program from a terminal looks for it, and
// where it is the only trace when there is no display to show a box on.
#include "reporterror.h"

#include "errormessage.h"
#include "gtkdisplay.h"
#include "windowfailure.h"

#include <gtk/gtk.h>
#include <SDL2/SDL.h>

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// Once SDL is up, Ctrl+C or a termination request reaches it as a quit event.
// It closes the box as OK does and stays queued, so the program goes on to end.
gboolean closeOnQuitRequest(gpointer box)
{
    SDL_PumpEvents();
    if (SDL_HasEvent(SDL_QUIT))
        gtk_dialog_response(GTK_DIALOG(box), GTK_RESPONSE_OK);
    return G_SOURCE_CONTINUE;
}

void showBox(const char* text, const char* caption, GtkMessageType type)
{
    fprintf(stderr, "%s%s%s\n", caption, *caption ? ": " : "", text);
    fflush(stderr);
    if (!startGtk())
        return;
    GtkWidget* box = gtk_message_dialog_new(nullptr, GTK_DIALOG_MODAL, type, GTK_BUTTONS_OK,
                                            "%s", text);
    gtk_window_set_title(GTK_WINDOW(box), caption);
    gtk_window_set_position(GTK_WINDOW(box), GTK_WIN_POS_CENTER);
    gtk_window_set_keep_above(GTK_WINDOW(box), TRUE);
    guint quitWatch =
        SDL_WasInit(SDL_INIT_EVENTS) ? g_timeout_add(100, closeOnQuitRequest, box) : 0;
    gtk_dialog_run(GTK_DIALOG(box));
    if (quitWatch)
        g_source_remove(quitWatch);
    gtk_widget_destroy(box);
    drainGtkEvents();
}

// The formatted message with `appended` (if not null) on the line behind it.
void showError(const char* appended, const char* format, va_list args)
{
    char* message = formatErrorMessage(appended, format, args);
    // Should the message itself be unprintable, its format still tells the user
    // what went wrong.
    showBox(message ? message : format, "Error", GTK_MESSAGE_WARNING);
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
    showBox(text, "", GTK_MESSAGE_OTHER);
}
