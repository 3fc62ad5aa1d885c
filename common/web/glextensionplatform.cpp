// The extension loader in the page: glGetString and Emscripten's entry-point
// lookup of the WebGL context. There is no WGL here.
#include "extensionplatform.h"
#include "glextensions.h"

#include <GL/gl.h>
#include <SDL/SDL.h>

#include <cstring>
#include <string>

// WebGL 1 answers "OpenGL ES 2.0 (WebGL 1.0 ...)". Behind Emscripten's
// emulation of the fixed-function pipeline it offers what the show uses of
// OpenGL 1.2 (immediate mode, texture objects, GL_CLAMP_TO_EDGE), so that is
// the version reported, with the browser's own string behind it.
static const char* versionString()
{
    static std::string version;
    const char* webgl = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    if (!webgl)
        return nullptr;
    version = std::string("1.2 (fixed-function emulation over ") + webgl + ")";
    return version.c_str();
}

static const char* extensionsString()
{
    return reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
}

static GLProc lookup(const char* name)
{
    if (strncmp(name, "wgl", 3) == 0)
        return nullptr;
    return reinterpret_cast<GLProc>(SDL_GL_GetProcAddress(name));
}

int initExtensions()
{
    const ExtensionPlatform webgl = {versionString, extensionsString, lookup, nullptr, nullptr,
                                     nullptr};
    return loadExtensions(webgl);
}
