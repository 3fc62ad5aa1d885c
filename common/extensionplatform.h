// What the extension loader needs from the platform. Each platform's
// initExtensions plugs in glGetString and its own entry-point lookup (WGL on
// Windows, with its extension strings; SDL, the browser's or OSMesa's lookup
// elsewhere); the native tests plug in fakes.
#ifndef SNOWGIG_EXTENSIONPLATFORM_H
#define SNOWGIG_EXTENSIONPLATFORM_H

#include "glextensions.h"

struct ExtensionPlatform {
    const char* (*versionString)();              // glGetString(GL_VERSION)
    const char* (*extensionsString)();           // glGetString(GL_EXTENSIONS)
    GLProc (*lookup)(const char* name);          // wglGetProcAddress or the like
    void* (*currentDC)();                        // wglGetCurrentDC; null without WGL
    // Call a fetched wglGetExtensionsStringARB(dc) or wglGetExtensionsStringEXT().
    const char* (*callExtensionsStringARB)(GLProc entry, void* dc);
    const char* (*callExtensionsStringEXT)(GLProc entry);
};

// Runs the whole loader on the given platform and returns what initExtensions
// returns. The platform is kept for later queries and lookups; a null member
// behaves as if the platform had nothing to offer.
int loadExtensions(const ExtensionPlatform& platform);

#endif
