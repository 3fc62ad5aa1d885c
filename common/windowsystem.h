// Where the shared part of GLWindow meets the system. The shared part runs the
// main loop and its frame timer, lists the modes and takes the Setup dialog's
// choice.
//
// Everything a platform provides, in its folders common/P, sound/P and demo/P:
//   common/P/windowhandles.h  the handle types, DisplayMode, WindowSystemState
//   this header               the functions below, and GLWindow's createWindow,
//                             show, closeWindow and closeDialog (glwindow.h)
//   messagebox.h              showMessageBox, lastErrorText, windowErrorText
//   glextensions.h            initExtensions (over extensionplatform.h)
//   demo/programfolder.h      programFolder, installedDataFolder
//   demo/systemerror.h        setLastErrorFileNotFound, setLastErrorInvalidData
//                             (or snowgig_errno_system_error)
//   sound/soundplatform.h     soundOutputWays, the platform's ways to a device
//   demo/P                    the entry point, calling runDemo and cleanup
#ifndef SNOWGIG_WINDOWSYSTEM_H
#define SNOWGIG_WINDOWSYSTEM_H

#include <cstddef>
#include <cstdint>

#include "glwindow.h"

// The frame timer: the high-resolution counter and its ticks per second (0:
// there is none), and the millisecond tick count that stands in without it.
uint64_t performanceFrequency();
uint64_t performanceCounter();
uint32_t tickCount();

// Handles what the system has for the window until a frame is due, waiting
// while the window is inactive. False when the main loop is to end.
bool waitForFrame(GLWindow* window);
// Shows the frame just drawn.
void presentFrame(GLWindow* window);
// Lets go of what the process holds of the window system, as the GLWindow goes.
void endWindowSystem(GLWindow* window);

// What the Setup dialog needs before the modes are listed. False after the
// failure's message.
bool prepareSetupDialog(GLWindow* window);
// The system's display mode number `number` (0, 1, 2, ...) in a record of its
// own, freed with freeDisplayMode; null past the last one.
DisplayMode* readDisplayMode(int number);
void freeDisplayMode(DisplayMode* mode);
// Makes and shows the dialog: the modes' entries, the current mode selected,
// full-screen or windowed checked. False after the failure's message.
bool openSetupDialog(GLWindow* window);
// Runs the dialog until OK or Cancel sets dialogAccepted or dialogCancelled,
// or the system asks the program to quit. False when the wait itself failed,
// after its message.
bool waitForSetupChoice(GLWindow* window);
// After OK: greys out everything but the loading bar.
void lockSetupDialog(GLWindow* window);
// The loading bar at progressPosition of progressSteps, painted at once.
void showProgress(GLWindow* window);

// Shared steps the platform's dialog calls.

// OK with list entry `selected` (negative: none) and the full-screen choice:
// takes the mode and locks the dialog. False after telling the user to select
// a resolution; nothing else changes then.
bool acceptSetupChoice(GLWindow* window, int selected, bool fullScreen);
// Cancel, or closing the dialog: counts until OK has started the loading.
void cancelSetupChoice(GLWindow* window);
// The resolution list's entry for a mode, "640 x 480 x 32 bpp".
void setupEntryText(const DisplayMode& mode, char* text, size_t size);
// How much of the loading bar is filled, 0 to 1.
double progressFraction(const GLWindow* window);

#endif
