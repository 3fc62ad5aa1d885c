// Which display modes the Setup dialog offers, and finding one again by size and
// depth. Works on any mode record type for which modeFieldsOf is declared, so the
// same code serves the platform's DEVMODEA and plain records in tests.
#ifndef SNOWGIG_MODEFILTER_H
#define SNOWGIG_MODEFILTER_H

#include <cstddef>
#include <cstdint>
#include <vector>

struct ModeFields {
    uint32_t width;
    uint32_t height;
    uint32_t bitsPerPixel;
    uint32_t refreshRate;
};

inline ModeFields modeFieldsOf(const ModeFields& mode) { return mode; }

// At least 16 bits per pixel, and a refresh rate of 0 (the display's default)
// or at least 60 Hz: anything slower flickers.
bool modeHasUsableDepthAndRate(uint32_t bitsPerPixel, uint32_t refreshRate);

// The Setup list's entry for a mode, "640 x 480 x 32 bpp", cut to fit `size`
// (the list's entries hold 31 characters).
void formatModeEntry(char* text, size_t size, const ModeFields& mode);

// Index of the first mode with that width, height and depth (the refresh rate is
// not compared), or -1.
template <typename Mode>
int findModeIndex(const std::vector<Mode*>& modes, uint32_t width, uint32_t height,
                  uint32_t bitsPerPixel)
{
    for (size_t i = 0; i < modes.size(); i++) {
        ModeFields fields = modeFieldsOf(*modes[i]);
        if (fields.width == width && fields.height == height && fields.bitsPerPixel == bitsPerPixel)
            return static_cast<int>(i);
    }
    return -1;
}

// Whether an enumerated mode joins the list: it must pass the depth and rate
// filter and its size and depth must not be listed yet, so the first passing
// refresh rate of each size and depth is the one kept.
template <typename Mode>
bool modeBelongsInList(const std::vector<Mode*>& modes, const Mode& candidate)
{
    ModeFields fields = modeFieldsOf(candidate);
    return modeHasUsableDepthAndRate(fields.bitsPerPixel, fields.refreshRate) &&
           findModeIndex(modes, fields.width, fields.height, fields.bitsPerPixel) == -1;
}

#endif
