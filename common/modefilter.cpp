#include "modefilter.h"

bool modeHasUsableDepthAndRate(uint32_t bitsPerPixel, uint32_t refreshRate)
{
    return bitsPerPixel >= 16 && (refreshRate == 0 || refreshRate >= 60);
}
