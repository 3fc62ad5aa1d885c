// The message shown when a system call of the window framework fails: the
// source position, followed by the system's text for what went wrong.
#ifndef SNOWGIG_WINDOWFAILURE_H
#define SNOWGIG_WINDOWFAILURE_H

void reportWindowFailure(int line, const char* file);

#define REPORT_WINDOW_FAILURE() reportWindowFailure(__LINE__, __FILE__)

#endif
