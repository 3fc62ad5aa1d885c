// initExtensions on a real context: a hidden window with a WGL context, as the
// program has when it runs the loader.
#include "extensionsearch.h"
#include "glextensions.h"

#include <windows.h>

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

HWND window;
HDC deviceContext;
HGLRC glContext;

LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

bool createContext()
{
    WNDCLASSA windowClass = {};
    windowClass.style = CS_OWNDC;
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "extensionsTest";
    if (!RegisterClassA(&windowClass))
        return false;
    window = CreateWindowA("extensionsTest", "extensions", WS_OVERLAPPEDWINDOW, 0, 0, 64, 64,
                           nullptr, nullptr, windowClass.hInstance, nullptr);
    if (!window)
        return false;
    deviceContext = GetDC(window);
    PIXELFORMATDESCRIPTOR format = {};
    format.nSize = sizeof(format);
    format.nVersion = 1;
    format.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    format.iPixelType = PFD_TYPE_RGBA;
    format.cColorBits = 32;
    format.cDepthBits = 16;
    const int chosen = ChoosePixelFormat(deviceContext, &format);
    if (!chosen || !SetPixelFormat(deviceContext, chosen, &format))
        return false;
    glContext = wglCreateContext(deviceContext);
    return glContext && wglMakeCurrent(deviceContext, glContext);
}

const char* glString(GLenum name)
{
    const GLubyte* text = glGetString(name);
    return text ? reinterpret_cast<const char*>(text) : "";
}

// Runs first: the demo's context does not exist yet.
TEST(ExtensionsWithoutContext, SetNoVersionOrGLFlag)
{
    ASSERT_EQ(nullptr, wglGetCurrentContext());
    EXPECT_EQ(0, initExtensions());
    EXPECT_FALSE(openGL12);
    EXPECT_FALSE(extensionFlags.glARB_multitexture);
    EXPECT_STREQ("", extensionList);
}

class ExtensionsOnMesa : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        contextCreated = createContext();
        if (contextCreated)
            result = initExtensions();
    }
    static void TearDownTestSuite()
    {
        wglMakeCurrent(nullptr, nullptr);
        if (glContext)
            wglDeleteContext(glContext);
        if (window)
            DestroyWindow(window);
    }
    void SetUp() override { ASSERT_TRUE(contextCreated); }

    static bool contextCreated;
    static int result;
};
bool ExtensionsOnMesa::contextCreated;
int ExtensionsOnMesa::result = -1;

TEST_F(ExtensionsOnMesa, SucceedsWithAllVersionFlags)
{
    const std::string version = glString(GL_VERSION);
    std::printf("GL_VERSION: %s\nGL_RENDERER: %s\n", version.c_str(), glString(GL_RENDERER));
    EXPECT_EQ(0, result);
    EXPECT_EQ(0, version.compare(0, 4, "4.5 ")) << version;
    EXPECT_EQ(1, openGL12);
    EXPECT_EQ(1, openGL13);
    EXPECT_EQ(1, openGL14);
    EXPECT_EQ(0, std::memcmp(&extensionFlags, &supportedExtensions, sizeof(ExtensionFlags)));
}

TEST_F(ExtensionsOnMesa, ListsExactlyTheOfferedExtensionsItKnows)
{
    const char* offered = glString(GL_EXTENSIONS);
    std::printf("extensionList: %s\n", extensionList);
    EXPECT_EQ(containsExtension(offered, "GL_ARB_multitexture"), extensionFlags.glARB_multitexture);
    EXPECT_TRUE(extensionFlags.glARB_multitexture);
    EXPECT_TRUE(extensionFlags.glARB_vertex_buffer_object);
    EXPECT_TRUE(extensionFlags.glEXT_bgra);
    const std::string list = extensionList;
    EXPECT_NE(std::string::npos, list.find("GL_ARB_multitexture "));
    // Every listed name is offered, and it is listed once.
    size_t start = 0;
    for (size_t space = list.find(' '); space != std::string::npos; space = list.find(' ', start)) {
        const std::string name = list.substr(start, space - start);
        EXPECT_TRUE(containsExtension(offered, name.c_str())) << name;
        EXPECT_EQ(list.find(name + " "), start) << name;
        start = space + 1;
    }
    EXPECT_EQ(list.size(), start);
}

TEST_F(ExtensionsOnMesa, FetchesTheEntryPointsOfOfferedExtensions)
{
    EXPECT_NE(nullptr, glEntryPoints.glActiveTextureARB);
    EXPECT_NE(nullptr, glEntryPoints.glMultiTexCoord4fvARB);
    EXPECT_NE(nullptr, glEntryPoints.glBindBufferARB);
    EXPECT_NE(nullptr, glEntryPoints.glTexImage3D);
    EXPECT_NE(nullptr, glEntryPoints.glActiveTexture);
    EXPECT_NE(nullptr, glEntryPoints.glWindowPos3sv);
    ASSERT_TRUE(extensionFlags.wglARB_extensions_string);
    ASSERT_NE(nullptr, glEntryPoints.wglGetExtensionsStringARB);
    const char* wglExtensions =
        reinterpret_cast<const char*(WINAPI*)(HDC)>(glEntryPoints.wglGetExtensionsStringARB)(
            deviceContext);
    ASSERT_NE(nullptr, wglExtensions);
    std::printf("WGL extensions: %s\n", wglExtensions);
    EXPECT_EQ(containsExtension(wglExtensions, "WGL_ARB_pixel_format"),
              extensionFlags.wglARB_pixel_format);
    if (extensionFlags.wglARB_pixel_format) {
        EXPECT_NE(nullptr, glEntryPoints.wglChoosePixelFormatARB);
    }
}

TEST_F(ExtensionsOnMesa, FetchedPointersCanBeCalled)
{
    // Set the active texture unit through the fetched pointer and read it back.
    ASSERT_NE(nullptr, glEntryPoints.glActiveTexture);
    reinterpret_cast<void(APIENTRY*)(GLenum)>(glEntryPoints.glActiveTexture)(0x84C1);
    GLint unit = 0;
    glGetIntegerv(0x84E0, &unit);  // GL_ACTIVE_TEXTURE
    EXPECT_EQ(0x84C1, unit);       // GL_TEXTURE1
    reinterpret_cast<void(APIENTRY*)(GLenum)>(glEntryPoints.glActiveTexture)(0x84C0);

    if (extensionFlags.wglEXT_swap_control) {
        ASSERT_NE(nullptr, glEntryPoints.wglGetSwapIntervalEXT);
        const int interval = reinterpret_cast<int(WINAPI*)()>(glEntryPoints.wglGetSwapIntervalEXT)();
        EXPECT_GE(interval, 0);
    }
}

}  // namespace
