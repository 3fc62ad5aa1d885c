#include "fakedriver.h"

#include <cstring>

FakeDriver fakeDriver;
static char fakeDCTarget;
void* const fakeDC = &fakeDCTarget;

static void someEntryPoint() {}

static const char* extensionsStringARB(void* dc)
{
    fakeDriver.dcsPassed.push_back(dc);
    return fakeDriver.arbStringIsNull ? nullptr : fakeDriver.wglExtensionsARB.c_str();
}

static const char* extensionsStringEXT()
{
    return fakeDriver.wglExtensionsEXT.c_str();
}

static const char* versionString()
{
    return fakeDriver.hasVersion ? fakeDriver.version.c_str() : nullptr;
}

static const char* extensionsString()
{
    return fakeDriver.hasExtensions ? fakeDriver.extensions.c_str() : nullptr;
}

static GLProc lookup(const char* name)
{
    fakeDriver.lookups.push_back(name);
    if (fakeDriver.missing.count(name))
        return nullptr;
    if (std::strcmp(name, "wglGetExtensionsStringARB") == 0)
        return fakeDriver.exportsExtensionsStringARB
                   ? reinterpret_cast<GLProc>(extensionsStringARB) : nullptr;
    if (std::strcmp(name, "wglGetExtensionsStringEXT") == 0)
        return fakeDriver.exportsExtensionsStringEXT
                   ? reinterpret_cast<GLProc>(extensionsStringEXT) : nullptr;
    return fakeDriver.allOthersMissing ? nullptr : someEntryPoint;
}

static void* currentDC()
{
    return fakeDC;
}

typedef const char* (*ExtensionsStringARB)(void* dc);
typedef const char* (*ExtensionsStringEXT)();

static const char* callExtensionsStringARB(GLProc entry, void* dc)
{
    return reinterpret_cast<ExtensionsStringARB>(entry)(dc);
}

static const char* callExtensionsStringEXT(GLProc entry)
{
    return reinterpret_cast<ExtensionsStringEXT>(entry)();
}

ExtensionPlatform fakePlatform()
{
    return {versionString, extensionsString, lookup, currentDC, callExtensionsStringARB,
            callExtensionsStringEXT};
}

void resetLoader()
{
    fakeDriver = FakeDriver();
    extensionFlags = ExtensionFlags();
    supportedExtensions = ExtensionFlags();
    glEntryPoints = GLEntryPoints();
    extensionList[0] = '\0';
    lookupFailed = 0;
}

std::vector<std::string> lookupsWithoutExtensionsString()
{
    std::vector<std::string> rest;
    for (const std::string& name : fakeDriver.lookups) {
        if (name != "wglGetExtensionsStringARB" && name != "wglGetExtensionsStringEXT")
            rest.push_back(name);
    }
    return rest;
}
