// The program's run from the Setup dialog to the end of the main loop, the
// same on every platform; the entry point calls it and then cleanup.
#ifndef SNOWGIG_STARTUP_H
#define SNOWGIG_STARTUP_H

#include "glwindow.h"

// Returns when the show ends through the main loop or start-up fails (after
// reporting why).
void runDemo(ModuleInstance instance);

// runDemo's start-up alone, up to the window shown with the first frame yet to
// come. False when it failed (after reporting why).
bool startDemo(ModuleInstance instance);

#endif
