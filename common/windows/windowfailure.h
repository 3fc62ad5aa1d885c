// The message shown when a Win32 call of the window framework fails: the source
// position, followed by the system's text for the last error.
#ifndef SNOWGIG_WINDOWFAILURE_H
#define SNOWGIG_WINDOWFAILURE_H

#include "reporterror.h"

#define REPORT_WINDOW_FAILURE() reportError(true, "At line %i of %s:\n", __LINE__, __FILE__)

#endif
