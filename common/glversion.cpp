#include "glversion.h"

// Reads a run of decimal digits; false when there is none. Values stop growing
// at a bound so that a long run cannot overflow.
static bool readNumber(const char*& text, int* value)
{
    if (*text < '0' || *text > '9')
        return false;
    int number = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        if (number < 100000)
            number = number * 10 + (*text - '0');
    }
    *value = number;
    return true;
}

bool parseGLVersion(const char* version, int* major, int* minor)
{
    if (!version)
        return false;
    const char* text = version;
    int first = 0;
    int second = 0;
    if (!readNumber(text, &first) || *text != '.')
        return false;
    ++text;
    if (!readNumber(text, &second))
        return false;
    *major = first;
    *minor = second;
    return true;
}

bool versionAtLeast(int major, int minor, int wantedMajor, int wantedMinor)
{
    return major > wantedMajor || (major == wantedMajor && minor >= wantedMinor);
}
