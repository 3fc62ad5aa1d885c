// A hook for measuring: when set, every output calls it each time it hands
// frames to the device, with how many it hands over and how many the device
// held just before. Null in normal use.
#ifndef SNOWGIG_OUTPUTTRACE_H
#define SNOWGIG_OUTPUTTRACE_H

#include <windows.h>

typedef void (*OutputTrace)(unsigned handed, unsigned queued);
extern OutputTrace outputTrace;

#endif
