// Chosen scene states drawn off screen (offscreen.h) and read back as
// pictures.
#ifndef SNOWGIG_TEST_OFFSCREENFRAMES_H
#define SNOWGIG_TEST_OFFSCREENFRAMES_H

#include "offscreen.h"
#include "picture.h"

#include <cstdint>

// Gives the window this size, sets scaleX/scaleY for it and creates the scene
// afresh, ready for a pose.
void prepareFrame(uint32_t width, uint32_t height);
// Draws the current scene state and reads the picture back.
Picture renderFrame();

#endif
