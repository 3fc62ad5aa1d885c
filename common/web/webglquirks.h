// Where WebGL, behind Emscripten's emulation of the fixed-function pipeline,
// takes less than the OpenGL 1.2 the show is written for, and what stands in.
#ifndef SNOWGIG_WEBGLQUIRKS_H
#define SNOWGIG_WEBGLQUIRKS_H

// Adapts the current context; called once it is made.
void adaptWebGLContext();

#endif
