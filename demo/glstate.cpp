#include "glstate.h"

#include <GL/gl.h>

void setupGL()
{
    glClearColor(0.16862746f, 0.70980394f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glShadeModel(GL_FLAT);
    glDisable(GL_LIGHTING);
    glFrontFace(GL_CW);
    glDisable(GL_CULL_FACE);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0.0f);
}
