#include "modefilter.h"

#include <cstdio>

bool modeHasUsableDepthAndRate(uint32_t bitsPerPixel, uint32_t refreshRate)
{
    return bitsPerPixel >= 16 && (refreshRate == 0 || refreshRate >= 60);
}

void formatModeEntry(char* text, size_t size, const ModeFields& mode)
{
    if (size == 0)
        return;
    snprintf(text, size, "%d x %d x %d bpp", static_cast<int>(mode.width),
             static_cast<int>(mode.height), static_cast<int>(mode.bitsPerPixel));
}
