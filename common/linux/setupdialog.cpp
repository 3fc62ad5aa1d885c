// The Setup dialog in GTK 3: the display's modes, full-screen or windowed, and
// the progress bar that serves as the loading screen after OK.
#include "glwindow.h"

#include "gtkdisplay.h"
#include "reporterror.h"
#include "windowfailure.h"
#include "windowsystem.h"

#include <gtk/gtk.h>
#include <SDL2/SDL.h>

#include <new>


namespace {

// The dialog serves one GLWindow and keeps the controls it changes.
GLWindow* dialogOwner = nullptr;
GtkWidget* resolutionList = nullptr;
GtkWidget* progressBar = nullptr;
GtkWidget* fullScreenButton = nullptr;
GtkWidget* windowedButton = nullptr;
GtkWidget* okButton = nullptr;
GtkWidget* cancelButton = nullptr;

// SDL counts the padding byte of a 32-bit pixel out (24 bits); the list shows
// the depth of the pixel as stored, as the Windows dialog does.
uint32_t storedBitsPerPixel(Uint32 format)
{
    if (SDL_BYTESPERPIXEL(format) == 4)
        return 32;
    return SDL_BITSPERPIXEL(format);
}

void acceptChoice()
{
    acceptSetupChoice(dialogOwner, gtk_combo_box_get_active(GTK_COMBO_BOX(resolutionList)),
                      gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(fullScreenButton)));
}

void cancelChoice()
{
    cancelSetupChoice(dialogOwner);
}

void onOk(GtkButton*, gpointer) { acceptChoice(); }
void onCancel(GtkButton*, gpointer) { cancelChoice(); }

// Closing the dialog (its close box, through the window manager) counts as
// Cancel; once loading has begun it is refused.
gboolean onDelete(GtkWidget*, GdkEvent*, gpointer)
{
    cancelChoice();
    return TRUE;
}

// Enter presses OK (or Cancel when it has the focus), Escape presses Cancel,
// wherever the focus is, even on the resolution list.
gboolean onKey(GtkWidget* window, GdkEventKey* event, gpointer)
{
    if (dialogOwner->dialogAccepted)
        return event->keyval == GDK_KEY_Return || event->keyval == GDK_KEY_KP_Enter ||
               event->keyval == GDK_KEY_Escape;
    switch (event->keyval) {
    case GDK_KEY_Return:
    case GDK_KEY_KP_Enter:
        if (gtk_window_get_focus(GTK_WINDOW(window)) == cancelButton)
            cancelChoice();
        else
            acceptChoice();
        return TRUE;
    case GDK_KEY_Escape:
        cancelChoice();
        return TRUE;
    default:
        return FALSE;
    }
}

// Ctrl+C or a termination request reaches SDL as a quit event; while the dialog
// waits it counts as Cancel, so the program ends at once and cleanly.
gboolean checkQuitRequest(gpointer)
{
    SDL_PumpEvents();  // turns a caught signal into the quit event
    if (SDL_HasEvent(SDL_QUIT)) {
        cancelChoice();
        g_main_context_wakeup(nullptr);
    }
    return G_SOURCE_CONTINUE;
}

GtkWidget* buildDialog(GLWindow* owner)
{
    GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_title(GTK_WINDOW(window), "Setup");
    gtk_window_set_resizable(GTK_WINDOW(window), FALSE);
    gtk_window_set_position(GTK_WINDOW(window), GTK_WIN_POS_CENTER);
    gtk_window_set_type_hint(GTK_WINDOW(window), GDK_WINDOW_TYPE_HINT_DIALOG);
    gtk_container_set_border_width(GTK_CONTAINER(window), 10);

    GtkWidget* layout = gtk_box_new(GTK_ORIENTATION_VERTICAL, 8);
    gtk_container_add(GTK_CONTAINER(window), layout);

    // The "Graphics" group: the two radio buttons, then the resolution list.
    GtkWidget* group = gtk_frame_new("Graphics");
    gtk_box_pack_start(GTK_BOX(layout), group, FALSE, FALSE, 0);
    GtkWidget* grid = gtk_grid_new();
    gtk_container_set_border_width(GTK_CONTAINER(grid), 8);
    gtk_grid_set_column_spacing(GTK_GRID(grid), 12);
    gtk_grid_set_row_spacing(GTK_GRID(grid), 6);
    gtk_container_add(GTK_CONTAINER(group), grid);

    // Every control has a mnemonic (Alt and the underlined letter); Tab walks
    // the radio group (its checked button), the list, OK and Cancel.
    fullScreenButton = gtk_radio_button_new_with_mnemonic(nullptr, "_Full-screen");
    windowedButton = gtk_radio_button_new_with_mnemonic_from_widget(
        GTK_RADIO_BUTTON(fullScreenButton), "_Windowed");
    gtk_toggle_button_set_active(
        GTK_TOGGLE_BUTTON(owner->fullScreen ? fullScreenButton : windowedButton), TRUE);
    gtk_grid_attach(GTK_GRID(grid), fullScreenButton, 0, 0, 1, 1);
    gtk_grid_attach(GTK_GRID(grid), windowedButton, 0, 1, 1, 1);

    GtkWidget* label = gtk_label_new_with_mnemonic("_Resolution:");
    gtk_grid_attach(GTK_GRID(grid), label, 1, 0, 1, 1);
    resolutionList = gtk_combo_box_text_new();
    for (DisplayMode* mode : owner->modes) {
        char text[32];
        setupEntryText(*mode, text, sizeof text);
        gtk_combo_box_text_append_text(GTK_COMBO_BOX_TEXT(resolutionList), text);
    }
    gtk_combo_box_set_active(GTK_COMBO_BOX(resolutionList),
                             owner->findMode(owner->width, owner->height, owner->bitsPerPixel));
    gtk_grid_attach(GTK_GRID(grid), resolutionList, 2, 0, 1, 1);
    // The label names the list, for its mnemonic and for a screen reader.
    gtk_label_set_mnemonic_widget(GTK_LABEL(label), resolutionList);

    progressBar = gtk_progress_bar_new();
    gtk_box_pack_start(GTK_BOX(layout), progressBar, FALSE, FALSE, 4);

    GtkWidget* buttons = gtk_button_box_new(GTK_ORIENTATION_HORIZONTAL);
    gtk_button_box_set_layout(GTK_BUTTON_BOX(buttons), GTK_BUTTONBOX_END);
    gtk_box_set_spacing(GTK_BOX(buttons), 6);
    okButton = gtk_button_new_with_mnemonic("_OK");
    cancelButton = gtk_button_new_with_mnemonic("_Cancel");
    gtk_container_add(GTK_CONTAINER(buttons), okButton);
    gtk_container_add(GTK_CONTAINER(buttons), cancelButton);
    gtk_box_pack_start(GTK_BOX(layout), buttons, FALSE, FALSE, 0);
    gtk_widget_set_can_default(okButton, TRUE);
    gtk_widget_grab_default(okButton);

    g_signal_connect(okButton, "clicked", G_CALLBACK(onOk), nullptr);
    g_signal_connect(cancelButton, "clicked", G_CALLBACK(onCancel), nullptr);
    g_signal_connect(window, "delete-event", G_CALLBACK(onDelete), nullptr);
    g_signal_connect(window, "key-press-event", G_CALLBACK(onKey), nullptr);
    gtk_widget_grab_focus(okButton);
    return window;
}

}  // namespace

bool prepareSetupDialog(GLWindow*)
{
    if (!startGtk()) {
        reportError(false, "Couldn't open the display: snowgig needs a graphical desktop.");
        return false;
    }
    if (!SDL_WasInit(SDL_INIT_VIDEO) && SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        REPORT_WINDOW_FAILURE();
        return false;
    }
    return true;
}

DisplayMode* readDisplayMode(int number)
{
    SDL_DisplayMode found;
    if (number >= SDL_GetNumDisplayModes(0) || SDL_GetDisplayMode(0, number, &found) != 0)
        return nullptr;
    return new (std::nothrow) DisplayMode{static_cast<uint32_t>(found.w),
                                          static_cast<uint32_t>(found.h),
                                          storedBitsPerPixel(found.format),
                                          static_cast<uint32_t>(found.refresh_rate)};
}

void freeDisplayMode(DisplayMode* mode)
{
    delete mode;
}

bool openSetupDialog(GLWindow* owner)
{
    dialogOwner = owner;
    owner->dialog = buildDialog(owner);
    gtk_widget_show_all(owner->dialog);
    gtk_window_present(GTK_WINDOW(owner->dialog));
    return true;
}

bool waitForSetupChoice(GLWindow* owner)
{
    const guint quitWatch = g_timeout_add(100, checkQuitRequest, nullptr);
    while (!owner->dialogAccepted && !owner->dialogCancelled)
        gtk_main_iteration_do(TRUE);
    g_source_remove(quitWatch);
    drainGtkEvents();
    return true;
}

// Only the progress bar stays live while the demo loads.
void lockSetupDialog(GLWindow*)
{
    gtk_widget_set_sensitive(resolutionList, FALSE);
    gtk_widget_set_sensitive(fullScreenButton, FALSE);
    gtk_widget_set_sensitive(windowedButton, FALSE);
    gtk_widget_set_sensitive(okButton, FALSE);
    gtk_widget_set_sensitive(cancelButton, FALSE);
}

void showProgress(GLWindow* owner)
{
    gtk_progress_bar_set_fraction(GTK_PROGRESS_BAR(progressBar), progressFraction(owner));
    // Whatever the dialog has waiting, so the bar repaints while loading goes on.
    drainGtkEvents();
}

void GLWindow::closeDialog()
{
    if (!dialog)
        return;
    gtk_widget_destroy(dialog);
    dialog = nullptr;
    drainGtkEvents();
}
