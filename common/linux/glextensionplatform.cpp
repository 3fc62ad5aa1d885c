// The extension loader on Linux: glGetString and SDL's entry-point lookup of
// the current context. There is no WGL here, so no WGL extension string either.
#include "extensionplatform.h"
#include "glextensions.h"

#include <GL/gl.h>
#include <SDL2/SDL_video.h>

static const char* versionString()
{
    return reinterpret_cast<const char*>(glGetString(GL_VERSION));
}

static const char* extensionsString()
{
    return reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
}

#include <cstring>

// GLX answers every name with a stub of its own, so WGL names are turned away
// here: on Linux there is none of their functions to call.
static GLProc lookup(const char* name)
{
    if (strncmp(name, "wgl", 3) == 0)
        return nullptr;
    return reinterpret_cast<GLProc>(SDL_GL_GetProcAddress(name));
}

int initExtensions()
{
    const ExtensionPlatform sdl = {versionString, extensionsString, lookup, nullptr, nullptr,
                                   nullptr};
    return loadExtensions(sdl);
}
