#include "texture.h"

#include "pack.h"
#include "tgadecoder.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdlib>
#include <cstring>

namespace {

// The path cut at its first '.', without the directory: "data/santa-head.tga"
// gives "santa-head".
char* textureName(const char* path)
{
    size_t length = std::strcspn(path, ".");
    const char* start = path;
    for (size_t i = 0; i < length; ++i)
        if (path[i] == '/' || path[i] == '\\')
            start = path + i + 1;
    size_t nameLength = size_t(path + length - start);
    char* name = static_cast<char*>(std::malloc(nameLength + 1));
    if (name) {
        std::memcpy(name, start, nameLength);
        name[nameLength] = '\0';
    }
    return name;
}

// The whole entry is read in one call and decoded from memory.
bool readAndDecode(PackStream* stream, Texture& texture)
{
    size_t size = size_t(stream->entry->size);
    unsigned char* data = static_cast<unsigned char*>(std::malloc(size ? size : 1));
    if (!data)
        return false;
    size_t got = size ? size_t(packRead(data, 1, int32_t(size), stream)) : 0;
    bool ok = decodeTga(data, got, texture);
    std::free(data);
    return ok;
}

} // namespace

Texture::Texture()
    : name(nullptr), texWidth(0xFFFFFFFFu), texHeight(0xFFFFFFFFu), width(0xFFFFFFFFu),
      height(0xFFFFFFFFu), pixels(nullptr), format(0xFFFFFFFFu), glName(0), target(0)
{
}

Texture::~Texture()
{
    std::free(name);
    std::free(pixels);
}

bool Texture::load(const char* path)
{
    PackStream* stream = packOpen(path, "rb");
    if (!stream)
        return false;
    std::free(name);
    name = textureName(path);
    bool ok = name && readAndDecode(stream, *this);
    packClose(stream);
    return ok;
}

unsigned int Texture::upload(int mipmaps, int linear, int wrap, float envMode)
{
    target = texHeight == 1 ? GL_TEXTURE_1D : GL_TEXTURE_2D;
    GLuint generated = 0;
    glGenTextures(1, &generated);
    glName = generated;
    glBindTexture(target, glName);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexParameteri(target, GL_TEXTURE_WRAP_S, wrap);
    glTexParameteri(target, GL_TEXTURE_WRAP_T, wrap);
    // The mode is a name (GL_MODULATE ...), set as the integer it is: the
    // browser's emulation of fixed-function GL takes it from glTexEnvi only
    // and leaves it unset, with a console warning, when it comes by glTexEnvf.
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GLint(envMode));
    GLenum error = glGetError();
    if (error != GL_NO_ERROR)
        return error;

    GLsizei sizeS = GLsizei(texWidth);
    GLsizei sizeT = GLsizei(texHeight);
    if (mipmaps == 1) {
        glTexParameteri(target, GL_TEXTURE_MAG_FILTER, linear == 1 ? GL_LINEAR : GL_NEAREST);
        glTexParameteri(target, GL_TEXTURE_MIN_FILTER,
                        linear == 1 ? GL_LINEAR_MIPMAP_LINEAR : GL_NEAREST_MIPMAP_NEAREST);
        error = glGetError();
        if (error != GL_NO_ERROR)
            return error;
        if (target == GL_TEXTURE_1D)
            return unsigned(gluBuild1DMipmaps(GL_TEXTURE_1D, GLint(format), sizeS, format,
                                              GL_UNSIGNED_BYTE, pixels));
        return unsigned(gluBuild2DMipmaps(target, GLint(format), sizeS, sizeT, format,
                                          GL_UNSIGNED_BYTE, pixels));
    }

    GLint filter = linear == 1 ? GL_LINEAR : GL_NEAREST;
    glTexParameteri(target, GL_TEXTURE_MAG_FILTER, filter);
    glTexParameteri(target, GL_TEXTURE_MIN_FILTER, filter);
    error = glGetError();
    if (error != GL_NO_ERROR)
        return error;
    if (target == GL_TEXTURE_1D)
        glTexImage1D(GL_TEXTURE_1D, 0, GLint(format), sizeS, 0, format, GL_UNSIGNED_BYTE, pixels);
    else
        glTexImage2D(target, 0, GLint(format), sizeS, sizeT, 0, format, GL_UNSIGNED_BYTE, pixels);
    return glGetError();
}
