#include "offscreen.h"

#include "glstate.h"
#include "glwindow.h"
#include "images.h"
#include "media.h"
#include "pack.h"
#include "texture.h"

#include <GL/osmesa.h>
#include <GL/gl.h>

#include <cstdio>
#include <vector>

namespace {

OSMesaContext context = nullptr;
std::vector<unsigned char> frameBuffer;

bool bindBuffer(uint32_t width, uint32_t height)
{
    frameBuffer.assign(size_t(width) * height * 4, 0);
    if (!OSMesaMakeCurrent(context, frameBuffer.data(), GL_UNSIGNED_BYTE, GLsizei(width),
                           GLsizei(height))) {
        std::fprintf(stderr, "OSMesaMakeCurrent failed for %u x %u\n", width, height);
        return false;
    }
    glViewport(0, 0, GLsizei(width), GLsizei(height));
    return true;
}

}  // namespace

bool openOffscreen(const char* packPath)
{
    std::FILE* probe = std::fopen(packPath, "rb");
    if (!probe) {
        std::fprintf(stderr, "cannot open the pack %s\n", packPath);
        return false;
    }
    std::fclose(probe);
    pack = new PackFile(packPath);

    context = OSMesaCreateContextExt(OSMESA_RGBA, 0, 0, 0, nullptr);
    if (!context || !bindBuffer(640, 480)) {
        std::fprintf(stderr, "no OSMesa context\n");
        return false;
    }
    setupGL();
    for (const ImageFile& image : imageFiles) {
        Texture* texture = new Texture;
        *image.texture = texture;
        if (!texture->load(image.path)) {
            std::fprintf(stderr, "cannot load %s from %s\n", image.path, packPath);
            return false;
        }
        const unsigned int error = texture->upload(0, 1, image.wrap, float(GL_MODULATE));
        if (error != 0) {
            std::fprintf(stderr, "cannot upload %s: GL error 0x%x\n", image.path, error);
            return false;
        }
    }
    return true;
}

void closeOffscreen()
{
    for (const ImageFile& image : imageFiles) {
        delete *image.texture;
        *image.texture = nullptr;
    }
    delete glWindow;
    glWindow = nullptr;
    if (context)
        OSMesaDestroyContext(context);
    context = nullptr;
    frameBuffer.clear();
    frameBuffer.shrink_to_fit();
    delete pack;
    pack = nullptr;
}

bool setOffscreenSize(uint32_t width, uint32_t height)
{
    delete glWindow;
    glWindow = new GLWindow(nullptr, "snowgig", width, height, 32, false);
    scaleX = float(width) * 0.0015625f;
    scaleY = float(height) * 0.0020833334f;
    return bindBuffer(width, height);
}

const unsigned char* offscreenPixels()
{
    return frameBuffer.data();
}
