// The program's icon at the size the system asks for, from the module's own
// resources; the system's generic one where the module has none (test programs).
#ifndef SNOWGIG_PROGRAMICON_H
#define SNOWGIG_PROGRAMICON_H

#include <windows.h>

// ICON_BIG: the size of Alt+Tab and the taskbar; ICON_SMALL: the caption's.
HICON programIcon(HINSTANCE instance, WPARAM which);

#endif
