// A driver for the extension loader to run against: it offers chosen strings
// and entry points and records every lookup.
#ifndef SNOWGIG_TESTS_FAKEDRIVER_H
#define SNOWGIG_TESTS_FAKEDRIVER_H

#include "extensionplatform.h"

#include <set>
#include <string>
#include <vector>

struct FakeDriver {
    bool hasVersion = true;
    std::string version = "1.1.0";
    bool hasExtensions = true;
    std::string extensions;
    // What each extensions-string entry point returns, when it is exported.
    bool exportsExtensionsStringARB = false;
    bool exportsExtensionsStringEXT = false;
    bool arbStringIsNull = false;
    std::string wglExtensionsARB;
    std::string wglExtensionsEXT;
    // Every other name is found unless it is listed here, or unless all of them
    // are missing.
    std::set<std::string> missing;
    bool allOthersMissing = false;

    std::vector<std::string> lookups;
    std::vector<void*> dcsPassed;
};

extern FakeDriver fakeDriver;
extern void* const fakeDC;

// The platform that answers from fakeDriver.
ExtensionPlatform fakePlatform();

// Clears the driver and every global of the loader.
void resetLoader();

// The lookups made after the two extensions-string ones.
std::vector<std::string> lookupsWithoutExtensionsString();

#endif
