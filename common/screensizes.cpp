#include "screensizes.h"

namespace {

const uint32_t fourByThreeSizes[][2] = {
    {320, 240},   {400, 300},   {512, 384},   {640, 480},   {800, 600},    {1024, 768},
    {1152, 864},  {1280, 960},  {1400, 1050}, {1600, 1200}, {2048, 1536},
};

}  // namespace

std::vector<ModeFields> fourByThreeModesWithin(uint32_t screenWidth, uint32_t screenHeight)
{
    std::vector<ModeFields> modes;
    for (const auto& size : fourByThreeSizes) {
        if (size[0] <= screenWidth && size[1] <= screenHeight)
            modes.push_back({size[0], size[1], 32, 0});
    }
    return modes;
}
