// The extension loader on Windows: glGetString and WGL of the current context.
#include "extensionplatform.h"
#include "glextensions.h"

#include <windows.h>

#include <GL/gl.h>

static const char* versionString()
{
    return reinterpret_cast<const char*>(glGetString(GL_VERSION));
}

static const char* extensionsString()
{
    return reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
}

// Some drivers answer an unknown name with 1, 2, 3 or -1 instead of null.
static GLProc lookup(const char* name)
{
    PROC entry = wglGetProcAddress(name);
    const INT_PTR value = reinterpret_cast<INT_PTR>(entry);
    if (value == 1 || value == 2 || value == 3 || value == -1)
        return nullptr;
    return reinterpret_cast<GLProc>(entry);
}

static void* currentDC()
{
    return wglGetCurrentDC();
}

typedef const char*(WINAPI* ExtensionsStringARB)(HDC dc);
typedef const char*(WINAPI* ExtensionsStringEXT)();

static const char* callExtensionsStringARB(GLProc entry, void* dc)
{
    return reinterpret_cast<ExtensionsStringARB>(entry)(static_cast<HDC>(dc));
}

static const char* callExtensionsStringEXT(GLProc entry)
{
    return reinterpret_cast<ExtensionsStringEXT>(entry)();
}

int initExtensions()
{
    const ExtensionPlatform wgl = {versionString, extensionsString, lookup, currentDC,
                                   callExtensionsStringARB, callExtensionsStringEXT};
    return loadExtensions(wgl);
}
