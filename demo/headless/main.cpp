// The program without a screen: the show's own start-up and main loop on the
// headless platform, for a number of frames at 60 per second of show time,
// with its sound written to a raw file if asked.
//
//   snowgig-headless --pack DIR/snowgig.dat [--size WxH] [--frames N] [--sound FILE]
#include "headlessdata.h"
#include "headlesswindow.h"
#include "media.h"
#include "memoryoutput.h"
#include "soundplatform.h"
#include "startup.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

long framesWanted = 600;
long framesDone = 0;
std::vector<int16_t> frameSound;

// Each presented frame's 1/60 s of sound, taken from the output.
bool takeFrame(const unsigned char*, uint32_t, uint32_t)
{
    const int rate = soundOutputRate();
    if (rate > 0) {
        const size_t frames = size_t(rate / headlessFrameRate);
        frameSound.resize(2 * frames);
        readMemoryOutput(frameSound.data(), frames);
    }
    return ++framesDone < framesWanted;
}

int usage(const char* message)
{
    std::fprintf(stderr, "snowgig-headless: %s\n"
                         "usage: snowgig-headless --pack DIR/snowgig.dat [--size WxH] "
                         "[--frames N] [--sound FILE]\n", message);
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    const char* packPath = nullptr;
    const char* soundPath = nullptr;
    unsigned width = 640;
    unsigned height = 480;
    for (int k = 1; k < argc; k += 2) {
        if (k + 1 >= argc)
            return usage("every option takes a value");
        const char* name = argv[k];
        const char* value = argv[k + 1];
        char end = 0;
        if (!std::strcmp(name, "--pack")) {
            packPath = value;
        } else if (!std::strcmp(name, "--sound")) {
            soundPath = value;
        } else if (!std::strcmp(name, "--size")) {
            if (std::sscanf(value, "%ux%u%c", &width, &height, &end) != 2 || width < 64 ||
                height < 48 || width > 4096 || height > 4096)
                return usage("the size is WxH, 64x48 to 4096x4096");
        } else if (!std::strcmp(name, "--frames")) {
            char* stop = nullptr;
            framesWanted = std::strtol(value, &stop, 10);
            if (stop == value || *stop || framesWanted < 1 || framesWanted > 216000)
                return usage("--frames takes a whole number from 1 to 216000");
        } else {
            return usage("unknown option");
        }
    }
    std::string folder;
    if (!packPath)
        return usage("give --pack");
    if (!headlessPackFolder(packPath, folder))
        return 1;
    if (soundPath && !writeMemoryOutputTo(soundPath))
        return 1;
    setHeadlessDataFolder(folder);
    setHeadlessMode(width, height);
    setHeadlessFrameSink(takeFrame);
    runDemo(nullptr);
    cleanup();
    writeMemoryOutputTo(nullptr);
    std::printf("snowgig-headless: %ld frames of %ux%u\n", framesDone, width, height);
    return 0;
}
