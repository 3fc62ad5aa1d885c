// The GL calls of the frame as no-ops: what is left of draw is the show's own
// work on the CPU.
#include <GL/gl.h>

extern "C" {

void glClearColor(GLclampf, GLclampf, GLclampf, GLclampf) {}
void glClear(GLbitfield) {}
void glEnable(GLenum) {}
void glFlush() {}
void glViewport(GLint, GLint, GLsizei, GLsizei) {}
void glMatrixMode(GLenum) {}
void glOrtho(GLdouble, GLdouble, GLdouble, GLdouble, GLdouble, GLdouble) {}
void glLoadIdentity() {}
void glPushMatrix() {}
void glPopMatrix() {}
void glTranslatef(GLfloat, GLfloat, GLfloat) {}
void glRotatef(GLfloat, GLfloat, GLfloat, GLfloat) {}
void glBindTexture(GLenum, GLuint) {}
void glColor3f(GLfloat, GLfloat, GLfloat) {}
void glColor4f(GLfloat, GLfloat, GLfloat, GLfloat) {}
void glBegin(GLenum) {}
void glTexCoord2f(GLfloat, GLfloat) {}
void glVertex2f(GLfloat, GLfloat) {}
void glEnd() {}

}  // extern "C"
