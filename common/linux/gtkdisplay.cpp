#include "gtkdisplay.h"

#include <gtk/gtk.h>

bool startGtk()
{
    static int started = -1;
    if (started < 0)
        started = gtk_init_check(nullptr, nullptr) ? 1 : 0;
    return started == 1;
}

void drainGtkEvents()
{
    while (gtk_events_pending())
        gtk_main_iteration_do(FALSE);
}
