// Message boxes as GTK message dialogs. Each message also goes to standard
// error, where a Linux user who started the program from a terminal looks for
// it, and where it is the only trace when there is no display to show a box on.
#include "messagebox.h"

#include "errormessage.h"
#include "gtkdisplay.h"

#include <gtk/gtk.h>
#include <SDL2/SDL.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

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

}  // namespace

void showMessageBox(const char* text, const char* caption, bool error)
{
    fprintf(stderr, "%s%s%s\n", caption, *caption ? ": " : "", text);
    fflush(stderr);
    if (!startGtk())
        return;
    GtkWidget* box = gtk_message_dialog_new(nullptr, GTK_DIALOG_MODAL,
                                            error ? GTK_MESSAGE_WARNING : GTK_MESSAGE_OTHER,
                                            GTK_BUTTONS_OK, "%s", text);
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

char* lastErrorText()
{
    return joinErrorText(strerror(errno), "\n");
}

char* windowErrorText()
{
    return joinErrorText(SDL_GetError(), "\n");
}
