// What each platform provides to show the program's messages: the box itself
// and the system's texts for what went wrong.
#ifndef SNOWGIG_MESSAGEBOX_H
#define SNOWGIG_MESSAGEBOX_H

// Shows `text` in a box with `caption` and an OK button, marked as an error
// or as a plain message; returns when the user has closed it.
void showMessageBox(const char* text, const char* caption, bool error);

// The system's text for the calling thread's last error, ending in a line
// break, in a buffer from malloc that the caller frees (null: out of memory).
char* lastErrorText();

// The text of the window system's last failure, the same way.
char* windowErrorText();

#endif
