// Finds the OpenGL version and the offered GL and WGL extensions of the current
// context, and fetches their entry points.
#ifndef SNOWGIG_GLEXTENSIONS_H
#define SNOWGIG_GLEXTENSIONS_H

// 0 on success, 1 when an offered WGL extension lacks one of its entry points.
// Needs a current GL context.
int initExtensions();

// Non-zero when the context offers OpenGL 1.2, 1.3, 1.4 or later.
extern int openGL12;
extern int openGL13;
extern int openGL14;

#endif
