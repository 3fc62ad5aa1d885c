#include "webglquirks.h"

#include <emscripten.h>

// WebGL refuses the wrap mode GL_CLAMP (0x2900) with INVALID_ENUM, which
// would fail the upload of every texture that asks for it. GL_CLAMP_TO_EDGE
// (0x812F) takes its place: the two differ only where linear filtering
// reaches past the texture's edge, which GL_CLAMP blends with the border
// colour (transparent black) and GL_CLAMP_TO_EDGE with the edge texel.
EM_JS(void, jsAdaptWebGLContext, (), {
    const clamp = 0x2900;
    const clampToEdge = 0x812F;
    const texParameteri = GLctx.texParameteri.bind(GLctx);
    const texParameterf = GLctx.texParameterf.bind(GLctx);
    GLctx.texParameteri = (target, name, value) =>
        texParameteri(target, name, value == clamp ? clampToEdge : value);
    GLctx.texParameterf = (target, name, value) =>
        texParameterf(target, name, value == clamp ? clampToEdge : value);
});

void adaptWebGLContext()
{
    jsAdaptWebGLContext();
}
