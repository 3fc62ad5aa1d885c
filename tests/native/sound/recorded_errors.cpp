#include <cstdarg>
#include <cstdio>

#include "fakes.h"
#include "reporterror.h"

std::vector<std::string> reportedErrors;

void reportError(bool appendSystemText, const char* format, ...)
{
    char text[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    reportedErrors.push_back(std::string(appendSystemText ? "[system] " : "") + text);
}

void resetFakes()
{
    fakeSound = FakeSound();
    fakePack = FakePack();
    fakePack.tune = {0xFF, 0xFB, 0x50, 0x64, 1, 2, 3, 4, 5};
    reportedErrors.clear();
}
