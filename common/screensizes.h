// The display modes a screen that has no mode list of its own can offer (a web
// page's canvas): the usual 4:3 sizes that fit on it, at 32 bits per pixel and
// the display's own refresh rate, smallest first.
#ifndef SNOWGIG_SCREENSIZES_H
#define SNOWGIG_SCREENSIZES_H

#include <cstdint>
#include <vector>

#include "modefilter.h"

std::vector<ModeFields> fourByThreeModesWithin(uint32_t screenWidth, uint32_t screenHeight);

#endif
