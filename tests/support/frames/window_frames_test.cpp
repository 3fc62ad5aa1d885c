// The kept scene states drawn in a real window of the platform's GLWindow
// (WGL under Wine, SDL over GLX natively) with the program's own texture upload
// and frame code, read back from the back buffer and checked against the
// reference pictures drawn with OSMesa. Each frame's figures are printed.
#include "framecheck.h"
#include "framescenes.h"
#include "glstate.h"
#include "glwindow.h"
#include "images.h"
#include "loading.h"
#include "media.h"
#include "pack.h"
#include "render.h"
#include "texture.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

namespace {

// Every picture read from the pack, as loading does before the window exists.
bool loadPictures()
{
    std::FILE* probe = std::fopen(FRAMES_PACK_PATH, "rb");
    if (!probe) {
        ADD_FAILURE() << "cannot open the pack " << FRAMES_PACK_PATH;
        return false;
    }
    std::fclose(probe);
    pack = new PackFile(FRAMES_PACK_PATH);
    for (const ImageFile& image : imageFiles) {
        *image.texture = new Texture;
        if (!(*image.texture)->load(image.path)) {
            ADD_FAILURE() << "cannot load " << image.path << " from " << FRAMES_PACK_PATH;
            return false;
        }
    }
    return true;
}

// A window of this size in place of the last one, opened as the program opens
// its own: the scale of the mode, the GL state, the textures uploaded into the
// new context by the program's upload step, then shown.
bool openWindow(uint32_t width, uint32_t height)
{
    delete glWindow;
    glWindow = new GLWindow(nullptr, "snowgig frames", width, height, 32, false);
    setScaleFor(width, height);
    glWindow->setResizeCallback(resize);
    if (!glWindow->createWindow())
        return false;
    std::printf("%u x %u window: %s | %s\n", width, height,
                reinterpret_cast<const char*>(glGetString(GL_RENDERER)),
                reinterpret_cast<const char*>(glGetString(GL_VERSION)));
    setupGL();
    if (!uploadTextures())
        return false;
    glWindow->show();
    return true;
}

// The frame in the back buffer once draw has run, before it is swapped.
Picture drawnFrame()
{
    draw();
    glFinish();
    const uint32_t width = glWindow->getWidth();
    const uint32_t height = glWindow->getHeight();
    std::vector<unsigned char> pixels(size_t(width) * height * 4);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, GLsizei(width), GLsizei(height), GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pictureFromColourBuffer(pixels.data(), width, height);
}

class WindowFrames : public ::testing::Test {
protected:
    void TearDown() override { cleanup(); }
};

TEST_F(WindowFrames, EveryKeptSceneMatchesItsReferencePicture)
{
    ASSERT_TRUE(loadPictures());
    for (int k = 0; k < frameSceneCount; ++k) {
        const FrameScene& scene = frameScenes[k];
        SCOPED_TRACE(scene.name);
        if (!glWindow || glWindow->getWidth() != scene.width ||
            glWindow->getHeight() != scene.height) {
            ASSERT_TRUE(openWindow(scene.width, scene.height));
            ASSERT_EQ(glGetError(), GLenum(GL_NO_ERROR));
        }
        poseFrameScene(scene);
        const FrameCheck check =
            checkReferenceFrame(FRAMES_REFERENCE_DIR, scene.name, drawnFrame(), "window");
        EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
        const FrameDifference& d = check.difference;
        std::printf("%-26s worst channel difference %3d; %6zu of %7zu pixels differ (%.3f%%), "
                    "%zu by more than %d\n",
                    scene.name, d.worst, d.differing, d.pixels,
                    d.pixels ? 100.0 * double(d.differing) / double(d.pixels) : 0.0, d.off,
                    channelTolerance);
        std::fflush(stdout);
        EXPECT_TRUE(check.failure.empty()) << check.failure;
    }
}

}  // namespace
