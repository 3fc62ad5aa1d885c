// The tables the extension loader runs through: the extension names with the
// flag each sets, and every loader's entry points.
#ifndef SNOWGIG_EXTENSIONTABLES_H
#define SNOWGIG_EXTENSIONTABLES_H

#include "glextensions.h"

struct NamedFlag {
    const char* name;
    int32_t ExtensionFlags::*flag;
};

struct EntryPoint {
    const char* name;
    GLProc GLEntryPoints::*pointer;
};

struct EntryPointList {
    const EntryPoint* entries;
    int count;
};

// Fetches its entry points when its flag is set.
struct ExtensionLoader {
    int32_t ExtensionFlags::*flag;
    EntryPointList entryPoints;
};

// The 99 GL extensions in the order they are queried.
extern const NamedFlag glExtensionQueries[];
extern const int glExtensionQueryCount;

// The WGL extensions found in the WGL extension string (all but the two
// extensions-string ones), in the order they are queried.
extern const NamedFlag wglExtensionQueries[];
extern const int wglExtensionQueryCount;

// The GL extension loaders in the order they run; GL_NV_half_float's parts
// depend on other flags and are listed apart.
extern const ExtensionLoader glExtensionLoaders[];
extern const int glExtensionLoaderCount;
extern const EntryPointList halfFloatBasic;
extern const EntryPointList halfFloatMultiTexCoord;
extern const EntryPointList halfFloatFogCoord;
extern const EntryPointList halfFloatSecondaryColor;
extern const EntryPointList halfFloatVertexWeight;
extern const EntryPointList halfFloatVertexAttrib;

// The core entry points of OpenGL 1.2, 1.3 and 1.4, in that order.
extern const ExtensionLoader versionLoaders[];
extern const int versionLoaderCount;

extern const ExtensionLoader wglExtensionLoaders[];
extern const int wglExtensionLoaderCount;

#endif
