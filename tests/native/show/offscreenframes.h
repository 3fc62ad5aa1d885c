// Chosen scene states drawn without a screen and read back as pictures: the
// program's own start-up on the headless platform, then the window resized
// for each scene state.
#ifndef SNOWGIG_TEST_OFFSCREENFRAMES_H
#define SNOWGIG_TEST_OFFSCREENFRAMES_H

#include "picture.h"

#include <cstdint>

// Starts the program from this pack (it must be named snowgig.dat), up to its
// first frame. False after saying what failed; endFrames then releases what
// was made.
bool startFrames(const char* packPath);
// The program's shutdown.
void endFrames();

// Gives the window this size, sets scaleX/scaleY for it and puts the scene
// back to its start, ready for a pose.
void prepareFrame(uint32_t width, uint32_t height);
// Draws the current scene state and reads the picture back.
Picture renderFrame();

#endif
