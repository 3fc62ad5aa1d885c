#include "glrecorder.h"

#include <GL/gl.h>

#include <cmath>
#include <cstring>

GLRecord glRecord;

namespace {

// A 2-D affine transform: x' = a x + c y + e, y' = b x + d y + f.
struct Affine {
    double a = 1, b = 0, c = 0, d = 1, e = 0, f = 0;
};

std::vector<Affine> modelview(1);
GLenum matrixMode = GL_MODELVIEW;
unsigned int boundTexture = 0;
float currentColor[4] = {1, 1, 1, 1};
Point pendingTexCoord = {0, 0};
RecordedQuad building;
int buildingVertices = -1;

void record(const char* name, double a0 = 0, double a1 = 0, double a2 = 0, double a3 = 0,
            double a4 = 0, double a5 = 0)
{
    glRecord.calls.push_back(GLCall{name, {a0, a1, a2, a3, a4, a5}});
}

}  // namespace

void resetGLRecord()
{
    glRecord = GLRecord();
    modelview.assign(1, Affine());
    matrixMode = GL_MODELVIEW;
    boundTexture = 0;
    const float white[4] = {1, 1, 1, 1};
    std::memcpy(currentColor, white, sizeof currentColor);
    buildingVertices = -1;
}

Point currentTransform(double x, double y)
{
    const Affine& m = modelview.back();
    return Point{m.a * x + m.c * y + m.e, m.b * x + m.d * y + m.f};
}

std::vector<std::string> callNames()
{
    std::vector<std::string> names;
    for (const GLCall& call : glRecord.calls)
        names.push_back(call.name);
    return names;
}

extern "C" {

void glClearColor(GLclampf r, GLclampf g, GLclampf b, GLclampf a) { record("glClearColor", r, g, b, a); }
void glClear(GLbitfield mask) { record("glClear", mask); }
void glEnable(GLenum cap) { record("glEnable", cap); }
void glFlush() { record("glFlush"); }
void glViewport(GLint x, GLint y, GLsizei width, GLsizei height) { record("glViewport", x, y, width, height); }

void glMatrixMode(GLenum mode)
{
    record("glMatrixMode", mode);
    matrixMode = mode;
}

void glOrtho(GLdouble l, GLdouble r, GLdouble b, GLdouble t, GLdouble n, GLdouble f)
{
    record("glOrtho", l, r, b, t, n, f);
}

void glLoadIdentity()
{
    record("glLoadIdentity");
    if (matrixMode == GL_MODELVIEW)
        modelview.back() = Affine();
}

void glPushMatrix()
{
    record("glPushMatrix");
    modelview.push_back(modelview.back());
    glRecord.pushDepth += 1;
    if (glRecord.pushDepth > glRecord.maxPushDepth)
        glRecord.maxPushDepth = glRecord.pushDepth;
}

void glPopMatrix()
{
    record("glPopMatrix");
    if (modelview.size() == 1) {
        glRecord.stackFault = true;
        return;
    }
    modelview.pop_back();
    glRecord.pushDepth -= 1;
}

void glTranslatef(GLfloat x, GLfloat y, GLfloat z)
{
    record("glTranslatef", x, y, z);
    Affine& m = modelview.back();
    m.e += m.a * x + m.c * y;
    m.f += m.b * x + m.d * y;
}

void glRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z)
{
    record("glRotatef", angle, x, y, z);
    const double radians = angle * 3.14159265358979323846 / 180.0;
    const double cosine = std::cos(radians);
    const double sine = std::sin(radians);
    Affine& m = modelview.back();
    const Affine old = m;
    m.a = old.a * cosine + old.c * sine;
    m.b = old.b * cosine + old.d * sine;
    m.c = -old.a * sine + old.c * cosine;
    m.d = -old.b * sine + old.d * cosine;
}

void glBindTexture(GLenum target, GLuint texture)
{
    record("glBindTexture", target, texture);
    boundTexture = texture;
}

void glColor3f(GLfloat r, GLfloat g, GLfloat b)
{
    record("glColor3f", r, g, b);
    const float color[4] = {r, g, b, 1};
    std::memcpy(currentColor, color, sizeof currentColor);
}

void glColor4f(GLfloat r, GLfloat g, GLfloat b, GLfloat a)
{
    record("glColor4f", r, g, b, a);
    const float color[4] = {r, g, b, a};
    std::memcpy(currentColor, color, sizeof currentColor);
}

void glBegin(GLenum mode)
{
    record("glBegin", mode);
    building = RecordedQuad();
    building.begunWith = static_cast<int>(mode);
    building.texture = boundTexture;
    std::memcpy(building.color, currentColor, sizeof currentColor);
    buildingVertices = 0;
}

void glTexCoord2f(GLfloat s, GLfloat t)
{
    record("glTexCoord2f", s, t);
    pendingTexCoord = Point{s, t};
}

void glVertex2f(GLfloat x, GLfloat y)
{
    record("glVertex2f", x, y);
    if (buildingVertices >= 0 && buildingVertices < 4) {
        building.vertices[buildingVertices] = currentTransform(x, y);
        building.texCoords[buildingVertices] = pendingTexCoord;
    }
    ++buildingVertices;
}

void glEnd()
{
    record("glEnd");
    if (buildingVertices == 4)
        glRecord.quads.push_back(building);
    else
        glRecord.stackFault = true;
    buildingVertices = -1;
}

}  // extern "C"
