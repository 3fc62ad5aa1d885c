// GTK is started once, on first need, by the Setup dialog or the first message
// box, whichever comes first.
#ifndef SNOWGIG_GTKDISPLAY_H
#define SNOWGIG_GTKDISPLAY_H

// True when GTK runs on a display; false when there is none to open.
bool startGtk();

// Handles every event GTK has waiting, so its windows repaint or vanish.
void drainGtkEvents();

#endif
