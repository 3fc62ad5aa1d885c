// The loader's steps: version and GL flags, the GL and version loaders, then
// the WGL flags and loaders. Everything platform-specific goes through the
// ExtensionPlatform installed by loadExtensions.
#include "glextensions.h"

#include "extensionplatform.h"
#include "extensionsearch.h"
#include "extensiontables.h"
#include "glversion.h"

#include <cstring>

ExtensionFlags extensionFlags;
ExtensionFlags supportedExtensions;
GLEntryPoints glEntryPoints;
char extensionList[5000];
int32_t lookupFailed;

const int32_t& openGL12 = extensionFlags.openGL12;
const int32_t& openGL13 = extensionFlags.openGL13;
const int32_t& openGL14 = extensionFlags.openGL14;

static ExtensionPlatform platform;

// Adds the name and a space when both fit, so that the list only ever holds
// whole names and stays terminated.
static void appendToExtensionList(const char* name)
{
    const size_t used = std::strlen(extensionList);
    const size_t length = std::strlen(name);
    if (used + length + 2 > sizeof(extensionList))
        return;
    std::memcpy(extensionList + used, name, length);
    extensionList[used + length] = ' ';
    extensionList[used + length + 1] = '\0';
}

int queryExtension(const char* name)
{
    const char* extensions = platform.extensionsString ? platform.extensionsString() : nullptr;
    if (!containsExtension(extensions, name))
        return 0;
    appendToExtensionList(name);
    return 1;
}

static const char* wglExtensionsString()
{
    if (glEntryPoints.wglGetExtensionsStringARB && platform.callExtensionsStringARB) {
        void* dc = platform.currentDC ? platform.currentDC() : nullptr;
        return platform.callExtensionsStringARB(glEntryPoints.wglGetExtensionsStringARB, dc);
    }
    if (glEntryPoints.wglGetExtensionsStringEXT && platform.callExtensionsStringEXT)
        return platform.callExtensionsStringEXT(glEntryPoints.wglGetExtensionsStringEXT);
    return nullptr;
}

int queryWglExtension(const char* name)
{
    return containsExtension(wglExtensionsString(), name) ? 1 : 0;
}

GLProc getProcAddress(const char* name)
{
    GLProc entry = platform.lookup ? platform.lookup(name) : nullptr;
    if (!entry)
        lookupFailed = 1;
    return entry;
}

static void setVersionFlags(const char* version)
{
    int major = 0;
    int minor = 0;
    const bool known = parseGLVersion(version, &major, &minor);
    extensionFlags.openGL12 = known && versionAtLeast(major, minor, 1, 2);
    extensionFlags.openGL13 = known && versionAtLeast(major, minor, 1, 3);
    extensionFlags.openGL14 = known && versionAtLeast(major, minor, 1, 4);
}

// Without a version string there is no context to ask, so every flag keeps
// its value.
static void detectVersionAndGLExtensions()
{
    extensionList[0] = '\0';
    const char* version = platform.versionString ? platform.versionString() : nullptr;
    if (!version)
        return;
    setVersionFlags(version);
    for (int i = 0; i < glExtensionQueryCount; ++i)
        extensionFlags.*glExtensionQueries[i].flag = queryExtension(glExtensionQueries[i].name);
}

static void fetchEntryPoints(const EntryPointList& list)
{
    for (int i = 0; i < list.count; ++i)
        glEntryPoints.*list.entries[i].pointer = getProcAddress(list.entries[i].name);
}

static void runLoaders(const ExtensionLoader* loaders, int count)
{
    for (int i = 0; i < count; ++i) {
        if (extensionFlags.*loaders[i].flag)
            fetchEntryPoints(loaders[i].entryPoints);
    }
}

// Its optional parts only where the functions they extend exist.
static void loadHalfFloat()
{
    const ExtensionFlags& flags = extensionFlags;
    if (!flags.glNV_half_float)
        return;
    fetchEntryPoints(halfFloatBasic);
    if (flags.openGL13 || flags.glARB_multitexture)
        fetchEntryPoints(halfFloatMultiTexCoord);
    if (flags.glEXT_fog_coord)
        fetchEntryPoints(halfFloatFogCoord);
    if (flags.glEXT_secondary_color)
        fetchEntryPoints(halfFloatSecondaryColor);
    if (flags.glEXT_vertex_weighting)
        fetchEntryPoints(halfFloatVertexWeight);
    if (flags.glNV_vertex_program)
        fetchEntryPoints(halfFloatVertexAttrib);
}

// Only the WGL loaders' own lookups count towards the result: the failure flag
// is cleared before them.
static void runWglStage()
{
    lookupFailed = 0;
    glEntryPoints.wglGetExtensionsStringARB = getProcAddress("wglGetExtensionsStringARB");
    glEntryPoints.wglGetExtensionsStringEXT = getProcAddress("wglGetExtensionsStringEXT");
    extensionFlags.wglARB_extensions_string = glEntryPoints.wglGetExtensionsStringARB != nullptr;
    extensionFlags.wglEXT_extensions_string = glEntryPoints.wglGetExtensionsStringEXT != nullptr;
    lookupFailed = 0;
    for (int i = 0; i < wglExtensionQueryCount; ++i)
        extensionFlags.*wglExtensionQueries[i].flag = queryWglExtension(wglExtensionQueries[i].name);
    runLoaders(wglExtensionLoaders, wglExtensionLoaderCount);
}

int loadExtensions(const ExtensionPlatform& installed)
{
    platform = installed;
    lookupFailed = 0;
    detectVersionAndGLExtensions();
    runLoaders(glExtensionLoaders, glExtensionLoaderCount);
    loadHalfFloat();
    runLoaders(versionLoaders, versionLoaderCount);
    runWglStage();
    supportedExtensions = extensionFlags;
    return lookupFailed;
}
