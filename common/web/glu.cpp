// The GLU calls the show makes, which the browser's GL has no library for:
// the error texts of texture upload, and mipmaps built by WebGL itself.
#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glu.h>

namespace {

struct ErrorText {
    GLenum code;
    const char* text;
};

const ErrorText errorTexts[] = {
    {GL_NO_ERROR, "no error"},
    {GL_INVALID_ENUM, "invalid enumerant"},
    {GL_INVALID_VALUE, "invalid value"},
    {GL_INVALID_OPERATION, "invalid operation"},
    {GL_STACK_OVERFLOW, "stack overflow"},
    {GL_STACK_UNDERFLOW, "stack underflow"},
    {GL_OUT_OF_MEMORY, "out of memory"},
    {0x0506, "invalid framebuffer operation"},
    {GLU_INVALID_ENUM, "invalid enumerant"},
    {GLU_INVALID_VALUE, "invalid value"},
    {GLU_OUT_OF_MEMORY, "out of memory"},
    {GLU_INVALID_OPERATION, "invalid operation"},
};

}  // namespace

extern "C" {

const GLubyte* gluErrorString(GLenum code)
{
    for (const ErrorText& entry : errorTexts) {
        if (entry.code == code)
            return reinterpret_cast<const GLubyte*>(entry.text);
    }
    return nullptr;
}

// WebGL has no one-dimensional textures.
GLint gluBuild1DMipmaps(GLenum, GLint, GLint, GLenum, GLenum, const void*)
{
    return GLU_INVALID_ENUM;
}

// The sides are powers of two already (the texture loader pads them).
GLint gluBuild2DMipmaps(GLenum target, GLint internalFormat, GLint width, GLint height,
                        GLenum format, GLenum type, const void* data)
{
    glTexImage2D(target, 0, internalFormat, width, height, 0, format, type, data);
    GLenum error = glGetError();
    if (error != GL_NO_ERROR)
        return GLint(error);
    glGenerateMipmap(target);
    return GLint(glGetError());
}

}  // extern "C"
