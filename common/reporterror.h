// Shows a printf-style message in a message box titled "Error", optionally
// followed by the system's text for the calling thread's last error.
#ifndef SNOWGIG_REPORTERROR_H
#define SNOWGIG_REPORTERROR_H

void reportError(bool appendSystemText, const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 2, 3)))
#endif
    ;

// Shows a plain message box with an empty caption and an OK button.
void showMessage(const char* text);

#endif
