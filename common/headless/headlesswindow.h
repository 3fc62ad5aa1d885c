// What only the headless platform offers the programs that run the show
// without a screen: the mode its Setup dialog takes, the drawn frames as they
// are presented, and the window's size changed as a window manager would.
#ifndef SNOWGIG_HEADLESSWINDOW_H
#define SNOWGIG_HEADLESSWINDOW_H

#include <cstdint>

class GLWindow;

// The frame clock runs at this rate: every frame after the first comes
// 1/headlessFrameRate s after the one before, however long drawing took.
const int headlessFrameRate = 60;

// The one display mode the Setup dialog lists and chooses, windowed
// (640 x 480 x 32 until set).
void setHeadlessMode(uint32_t width, uint32_t height);

// Called with each frame the main loop presents, once drawing has finished:
// RGBA, bottom row first. Returning false ends the main loop, as closing the
// window would. Without a sink the loop runs until the show ends it.
typedef bool (*HeadlessFrameSink)(const unsigned char* rgba, uint32_t width, uint32_t height);
void setHeadlessFrameSink(HeadlessFrameSink sink);

// The window's colour buffer as drawn so far (complete once glFinish has
// returned), RGBA, bottom row first; null while there is no window.
const unsigned char* headlessPixels();

// A new colour buffer of this size for the window, and the resize callback
// told, as when the user resizes a real window. False after a message when the
// context takes no buffer of that size.
bool resizeHeadlessWindow(GLWindow* window, uint32_t width, uint32_t height);

#endif
