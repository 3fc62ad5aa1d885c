// A one-line progress report on the terminal: frames done, frames per second
// and the time left. Without a terminal it writes a line every tenth of the way.
#ifndef SNOWGIG_VIDEO_PROGRESSBAR_H
#define SNOWGIG_VIDEO_PROGRESSBAR_H

void startProgress(long totalFrames);
void showProgress(long framesDone);
// Ends the line; returns the frames per second over the whole run.
double endProgress(long framesDone);

#endif
