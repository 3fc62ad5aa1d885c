// The fixed OpenGL state the whole show relies on, set once its context exists.
#ifndef SNOWGIG_GLSTATE_H
#define SNOWGIG_GLSTATE_H

void setupGL();

#endif
