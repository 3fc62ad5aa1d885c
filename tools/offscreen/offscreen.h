// The show drawn off screen with OSMesa from the real pack: every picture is
// loaded and uploaded as the program does, into a context whose colour buffer
// is plain memory.
#ifndef SNOWGIG_OFFSCREEN_H
#define SNOWGIG_OFFSCREEN_H

#include <cstdint>

// Opens the pack, creates the context and uploads every texture. Prints what
// failed and returns false when something is missing; closeOffscreen then
// releases what was made.
bool openOffscreen(const char* packPath);
void closeOffscreen();

// Gives the show a window of this size: a fresh glWindow, scaleX and scaleY for
// it (as loading fixes them for the chosen mode) and a colour buffer that size.
bool setOffscreenSize(uint32_t width, uint32_t height);

// The colour buffer, RGBA, bottom row first, width x height of the last
// setOffscreenSize. Complete once glFinish has returned.
const unsigned char* offscreenPixels();

#endif
