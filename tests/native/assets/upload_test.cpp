// Texture upload into a real GL context (Mesa's off-screen renderer): both
// targets, with and without mipmaps, and the error codes handed back.
#include "texture.h"

#include <GL/osmesa.h>
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

class Upload : public ::testing::Test {
protected:
    void SetUp() override
    {
        context = OSMesaCreateContextExt(OSMESA_RGBA, 16, 0, 0, nullptr);
        ASSERT_NE(context, nullptr);
        ASSERT_TRUE(OSMesaMakeCurrent(context, frame, GL_UNSIGNED_BYTE, 16, 16));
        while (glGetError() != GL_NO_ERROR) {
        }
    }

    void TearDown() override
    {
        if (context)
            OSMesaDestroyContext(context);
    }

    OSMesaContext context = nullptr;
    unsigned char frame[16 * 16 * 4];
};

// Fills the fields the way load does, with a recognisable pattern.
void fakeLoaded(Texture& texture, uint32_t texWidth, uint32_t texHeight)
{
    texture.width = texWidth;
    texture.height = texHeight;
    texture.texWidth = texWidth;
    texture.texHeight = texHeight;
    texture.format = GL_RGBA;
    size_t bytes = size_t(texWidth) * texHeight * 4;
    texture.pixels = static_cast<unsigned char*>(std::malloc(bytes));
    for (size_t i = 0; i < bytes; ++i)
        texture.pixels[i] = (unsigned char)(i * 7 + 3);
}

GLint parameter(GLenum target, GLenum name)
{
    GLint value = -1;
    glGetTexParameteriv(target, name, &value);
    return value;
}

GLint levelWidth(GLenum target, GLint level)
{
    GLint value = -1;
    glGetTexLevelParameteriv(target, level, GL_TEXTURE_WIDTH, &value);
    return value;
}

std::vector<unsigned char> readBack(GLenum target, size_t bytes)
{
    std::vector<unsigned char> data(bytes, 0);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(target, 0, GL_RGBA, GL_UNSIGNED_BYTE, data.data());
    return data;
}

} // namespace

TEST_F(Upload, TwoDimensionalWithoutMipmapsAsAsked)
{
    Texture texture;
    fakeLoaded(texture, 8, 4);
    ASSERT_EQ(texture.upload(0, 1, GL_CLAMP, float(GL_MODULATE)), 0u);
    EXPECT_EQ(texture.target, unsigned(GL_TEXTURE_2D));
    EXPECT_TRUE(glIsTexture(texture.glName));
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(GLuint(bound), texture.glName);
    EXPECT_EQ(parameter(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S), GL_CLAMP);
    EXPECT_EQ(parameter(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T), GL_CLAMP);
    EXPECT_EQ(parameter(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER), GL_LINEAR);
    EXPECT_EQ(parameter(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER), GL_LINEAR);
    GLfloat envMode = 0;
    glGetTexEnvfv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &envMode);
    EXPECT_EQ(envMode, float(GL_MODULATE));
    EXPECT_EQ(levelWidth(GL_TEXTURE_2D, 0), 8);
    EXPECT_EQ(levelWidth(GL_TEXTURE_2D, 1), 0);
    std::vector<unsigned char> back = readBack(GL_TEXTURE_2D, 8 * 4 * 4);
    EXPECT_EQ(std::memcmp(back.data(), texture.pixels, back.size()), 0);

    Texture nearest;  // only exactly 1 means yes
    fakeLoaded(nearest, 4, 4);
    ASSERT_EQ(nearest.upload(2, 2, GL_CLAMP_TO_EDGE, float(GL_REPLACE)), 0u);
    EXPECT_EQ(parameter(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T), GL_CLAMP_TO_EDGE);
    EXPECT_EQ(parameter(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER), GL_NEAREST);
    EXPECT_EQ(parameter(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER), GL_NEAREST);
    EXPECT_EQ(levelWidth(GL_TEXTURE_2D, 1), 0);
}

TEST_F(Upload, OneDimensionalWithoutMipmaps)
{
    Texture texture;
    fakeLoaded(texture, 64, 1);
    ASSERT_EQ(texture.upload(0, 1, GL_CLAMP, float(GL_MODULATE)), 0u);
    EXPECT_EQ(texture.target, unsigned(GL_TEXTURE_1D));
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_1D, &bound);
    EXPECT_EQ(GLuint(bound), texture.glName);
    EXPECT_EQ(levelWidth(GL_TEXTURE_1D, 0), 64);
    EXPECT_EQ(parameter(GL_TEXTURE_1D, GL_TEXTURE_WRAP_S), GL_CLAMP);
    std::vector<unsigned char> back = readBack(GL_TEXTURE_1D, 64 * 4);
    EXPECT_EQ(std::memcmp(back.data(), texture.pixels, back.size()), 0);
}

TEST_F(Upload, MipmapsInBothDimensions)
{
    Texture flat;
    fakeLoaded(flat, 16, 8);
    ASSERT_EQ(flat.upload(1, 1, GL_CLAMP, float(GL_MODULATE)), 0u);
    EXPECT_EQ(parameter(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER), GL_LINEAR_MIPMAP_LINEAR);
    EXPECT_EQ(parameter(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER), GL_LINEAR);
    EXPECT_EQ(levelWidth(GL_TEXTURE_2D, 0), 16);
    EXPECT_EQ(levelWidth(GL_TEXTURE_2D, 1), 8);
    EXPECT_EQ(levelWidth(GL_TEXTURE_2D, 4), 1);

    Texture line;
    fakeLoaded(line, 32, 1);
    ASSERT_EQ(line.upload(1, 0, GL_CLAMP, float(GL_MODULATE)), 0u);
    EXPECT_EQ(line.target, unsigned(GL_TEXTURE_1D));
    EXPECT_EQ(parameter(GL_TEXTURE_1D, GL_TEXTURE_MIN_FILTER), GL_NEAREST_MIPMAP_NEAREST);
    EXPECT_EQ(parameter(GL_TEXTURE_1D, GL_TEXTURE_MAG_FILTER), GL_NEAREST);
    EXPECT_EQ(levelWidth(GL_TEXTURE_1D, 5), 1);
    EXPECT_NE(flat.glName, line.glName);
}

TEST_F(Upload, ReturnsTheFirstErrorAndStillCreatesTheTexture)
{
    Texture badWrap;
    fakeLoaded(badWrap, 4, 4);
    EXPECT_EQ(badWrap.upload(0, 1, 0x1234, float(GL_MODULATE)), unsigned(GL_INVALID_ENUM));
    EXPECT_TRUE(glIsTexture(badWrap.glName));
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));  // the error was taken, not left behind

    Texture badEnv;
    fakeLoaded(badEnv, 4, 4);
    EXPECT_EQ(badEnv.upload(1, 1, GL_CLAMP, 1.0f), unsigned(GL_INVALID_ENUM));
    EXPECT_EQ(levelWidth(GL_TEXTURE_2D, 0), 0);  // stopped before the image
}

// A texture whose load failed has no pixels and a size of all bits set: the
// upload reports an error instead of reading anything.
TEST_F(Upload, UnloadedTextureGivesAnError)
{
    Texture plain;
    unsigned plainError = plain.upload(0, 1, GL_CLAMP, float(GL_MODULATE));
    EXPECT_TRUE(plainError == GL_INVALID_VALUE || plainError == GL_INVALID_ENUM) << plainError;
    Texture mipmapped;
    unsigned mipmapError = mipmapped.upload(1, 1, GL_CLAMP, float(GL_MODULATE));
    EXPECT_TRUE(mipmapError == GLU_INVALID_VALUE || mipmapError == GLU_INVALID_ENUM) << mipmapError;
}
