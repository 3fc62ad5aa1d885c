// Reads the version number at the start of a GL_VERSION string
// ("<major>.<minor>[.<release>][ <vendor text>]").
#ifndef SNOWGIG_GLVERSION_H
#define SNOWGIG_GLVERSION_H

// False when the string does not begin with "<digits>.<digits>".
bool parseGLVersion(const char* version, int* major, int* minor);

// True when major.minor is at least wantedMajor.wantedMinor.
bool versionAtLeast(int major, int minor, int wantedMajor, int wantedMinor);

#endif
