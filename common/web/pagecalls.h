// What the program asks of its page (web/page.js): the Setup form, the loading
// bar, the data file's download, error boxes, the canvas and its end control. The calls marked
// "waits" yield to the browser and return once the page has the answer.
#ifndef SNOWGIG_PAGECALLS_H
#define SNOWGIG_PAGECALLS_H

// Setup form: `entries` is the resolution list, one entry a line.
void pageShowSetup(const char* entries, int selected, int fullScreen);
// Waits for OK or Cancel: the selected entry's index after OK (-1: none
// selected), or pageSetupCancelled after Cancel.
int pageSetupChoice();
const int pageSetupCancelled = -2;
int pageSetupFullScreen();
// Greys the form out; only the loading bar stays live.
void pageLockSetup();
void pageCloseSetup();
// The loading bar at `fraction` (0 to 1); waits for the page to take it in.
void pageSetProgress(double fraction);
// Waits for the page's download of the data file and puts it in the program's
// file system as `name`. False when the download failed (the file is then
// not there).
int pageFetchPack(const char* name);

// Waits until the user closes the in-page box.
void pageShowMessage(const char* caption, const char* text);

int pageIsFullScreen();
void pageShowCanvas(int width, int height, int fullScreen);
// Hides the canvas and leaves full screen.
void pageHideCanvas();
// Waits for the browser's next animation frame; true when the show's end
// control was used since the last one.
int pageWaitForFrame();

#endif
