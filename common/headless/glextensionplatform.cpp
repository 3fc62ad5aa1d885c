// The extension loader without a screen: glGetString and OSMesa's entry-point
// lookup of the current context; there is no WGL extension string.
#include "extensionplatform.h"
#include "glextensions.h"

#include <GL/osmesa.h>
#include <GL/gl.h>

#include <cstring>

static const char* versionString()
{
    return reinterpret_cast<const char*>(glGetString(GL_VERSION));
}

static const char* extensionsString()
{
    return reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
}

// Mesa may answer any name with a dispatch stub of its own, so WGL names are
// turned away here: there is none of their functions to call.
static GLProc lookup(const char* name)
{
    if (std::strncmp(name, "wgl", 3) == 0)
        return nullptr;
    return reinterpret_cast<GLProc>(OSMesaGetProcAddress(name));
}

int initExtensions()
{
    const ExtensionPlatform osmesa = {versionString, extensionsString, lookup, nullptr, nullptr,
                                      nullptr};
    return loadExtensions(osmesa);
}
