// Frames per second of the scene in a real window of the platform's GLWindow
// (WGL under Wine, SDL natively), beside a bare clear-and-swap loop in the same
// window and the same run.
//   Usage: show_wine_fps | show_native_fps  WIDTH HEIGHT SECONDS [PACK]
// The music is not started: this measures the picture alone.
#include "glwindow.h"
#include "media.h"
#include "music.h"
#include "pack.h"
#include "random.h"
#include "glstate.h"
#include "images.h"
#include "render.h"
#include "scene.h"
#include "texture.h"

#include <GL/gl.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

enum Stage { warmBare, bare, warmScene, scene };
const double warmUpSeconds = 0.5;

Stage stage = warmBare;
double measureSeconds = 5;
double stageStart = 0;
long stageFrames = 0;
double bareFps = 0;

double now()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// The program's own shutdown: the music was never started, so only the
// textures, the window and the pack are there to release.
void releaseAll()
{
    cleanup();
}

void nextStage(Stage next)
{
    stage = next;
    stageStart = now();
    stageFrames = 0;
    if (next == scene || next == warmScene) {
        startTimer = 2000;
        showLogo = 0;
    }
}

void benchUpdate(double elapsedMs)
{
    const double elapsed = now() - stageStart;
    switch (stage) {
    case warmBare:
        if (elapsed > warmUpSeconds)
            nextStage(bare);
        break;
    case bare:
        ++stageFrames;
        if (elapsed > measureSeconds) {
            bareFps = double(stageFrames) / elapsed;
            nextStage(warmScene);
        }
        break;
    case warmScene:
        update(elapsedMs);
        if (elapsed > warmUpSeconds)
            nextStage(scene);
        break;
    case scene:
        update(elapsedMs);
        ++stageFrames;
        if (elapsed > measureSeconds) {
            const double sceneFps = double(stageFrames) / elapsed;
            std::printf("%ux%u: scene %.0f fps, bare clear-and-swap %.0f fps, ratio %.2f "
                        "(%.0f s each)\n",
                        glWindow->getWidth(), glWindow->getHeight(), sceneFps, bareFps,
                        sceneFps / bareFps, measureSeconds);
            std::fflush(stdout);
            releaseAll();
            std::exit(0);
        }
        break;
    }
}

void benchDraw()
{
    if (stage == warmBare || stage == bare) {
        glClearColor(0.16862746f, 0.70980394f, 1.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        glFlush();
    } else {
        draw();
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 4 || argc > 5) {
        std::fprintf(stderr, "usage: %s WIDTH HEIGHT SECONDS [PACK]\n", argv[0]);
        return 2;
    }
    const unsigned long width = std::strtoul(argv[1], nullptr, 10);
    const unsigned long height = std::strtoul(argv[2], nullptr, 10);
    measureSeconds = std::strtod(argv[3], nullptr);
    const char* packPath = argc == 5 ? argv[4] : "snowgig.dat";
    if (width < 64 || width > 4096 || height < 64 || height > 4096 || !(measureSeconds > 0) ||
        measureSeconds > 600) {
        std::fprintf(stderr, "width and height 64 to 4096, seconds above 0 up to 600\n");
        return 2;
    }
    std::FILE* probe = std::fopen(packPath, "rb");
    if (!probe) {
        std::fprintf(stderr, "cannot open the pack %s\n", packPath);
        return 1;
    }
    std::fclose(probe);
    pack = new PackFile(packPath);
    glWindow = new GLWindow(nullptr, "snowgig fps", uint32_t(width),
                            uint32_t(height), 32, false);
    setScaleFor(uint32_t(width), uint32_t(height));
    for (const ImageFile& image : imageFiles) {
        *image.texture = new Texture;
        if (!(*image.texture)->load(image.path)) {
            std::fprintf(stderr, "cannot load %s\n", image.path);
            releaseAll();
            return 1;
        }
    }
    createScene();

    glWindow->setResizeCallback(resize);
    glWindow->setDrawCallback(benchDraw);
    glWindow->setUpdateCallback(benchUpdate);
    glWindow->setShutdownCallback(cleanup);
    if (!glWindow->createWindow()) {
        releaseAll();
        return 1;
    }
    setupGL();
    for (const ImageFile& image : imageFiles) {
        if ((*image.texture)->upload(0, 1, image.wrap, float(GL_MODULATE)) != 0) {
            std::fprintf(stderr, "cannot upload %s\n", image.path);
            releaseAll();
            return 1;
        }
    }
    std::printf("%s | %s\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)),
                reinterpret_cast<const char*>(glGetString(GL_VERSION)));
    seedRandom(300);
    glWindow->show();
    nextStage(warmBare);
    glWindow->run();
    return 0;
}
