// Renders the show frame by frame, each exactly 1/60 s after the one before (as
// on a 60 Hz display), and encodes it with its music into an MP4 file; or draws
// one frame of it as a PNG picture. The show starts as the program starts it,
// on the headless platform: its Setup dialog takes the asked size, its sound
// library plays into memory, from where each frame's 1/60 s is taken.
//
//   snowgig-video --pack FILE --out FILE.mp4 [--size WxH] [--seconds N] [--preset P]
//   snowgig-video --pack FILE --still FILE.png [--size WxH] [--at SECONDS]
#include "ffmpegpipe.h"
#include "progressbar.h"

#include "headlessdata.h"
#include "headlesswindow.h"
#include "media.h"
#include "memoryoutput.h"
#include "render.h"
#include "scene.h"
#include "soundplatform.h"
#include "startup.h"

#include <GL/gl.h>
#include <stb/stb_image_write.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

const int framesPerSecond = headlessFrameRate;
const double frameMs = 1000.0 / framesPerSecond;
// The video opens from black over its first half second (the show's silent
// start delay, only sky) and ends on a second's fade of picture and music
// together; the frames between are the show's own, untouched.
const long fadeInFrames = framesPerSecond / 2;
const long fadeOutFrames = framesPerSecond;

struct Options {
    const char* pack = nullptr;
    const char* out = nullptr;
    const char* still = nullptr;
    const char* preset = "veryfast";
    uint32_t width = 1440;
    uint32_t height = 1080;
    double seconds = 140;
    double at = 30;
};

int usage(const char* message)
{
    if (message)
        std::fprintf(stderr, "snowgig-video: %s\n", message);
    std::fprintf(stderr,
                 "usage: snowgig-video --pack FILE --out FILE.mp4 [--size WxH] [--seconds N] "
                 "[--preset P]\n"
                 "       snowgig-video --pack FILE --still FILE.png [--size WxH] [--at SECONDS]\n");
    return 2;
}

// A 4:3 size with even sides (yuv420p halves both), from 64 x 48 to 4096 x 3072.
bool parseSize(const char* text, uint32_t& width, uint32_t& height)
{
    unsigned w = 0;
    unsigned h = 0;
    char end = 0;
    if (std::sscanf(text, "%ux%u%c", &w, &h, &end) != 2)
        return false;
    return w >= 64 && w <= 4096 && w % 2 == 0 && h % 2 == 0 && w * 3 == h * 4 &&
           ((width = w), (height = h), true);
}

bool parseSeconds(const char* text, double& seconds)
{
    char* end = nullptr;
    const double value = std::strtod(text, &end);
    if (end == text || *end != '\0' || !(value > 0) || value > 3600)
        return false;
    seconds = value;
    return true;
}

int parseOptions(int argc, char** argv, Options& o)
{
    for (int k = 1; k < argc; ++k) {
        const char* name = argv[k];
        if (k + 1 >= argc)
            return usage("every option takes a value");
        const char* value = argv[++k];
        if (!std::strcmp(name, "--pack")) {
            o.pack = value;
        } else if (!std::strcmp(name, "--out")) {
            o.out = value;
        } else if (!std::strcmp(name, "--still")) {
            o.still = value;
        } else if (!std::strcmp(name, "--preset")) {
            o.preset = value;
        } else if (!std::strcmp(name, "--size")) {
            if (!parseSize(value, o.width, o.height))
                return usage("the size must be 4:3 with even sides, 64x48 to 4096x3072");
        } else if (!std::strcmp(name, "--seconds")) {
            if (!parseSeconds(value, o.seconds))
                return usage("--seconds takes a number above 0, at most 3600");
        } else if (!std::strcmp(name, "--at")) {
            if (!parseSeconds(value, o.at))
                return usage("--at takes a number above 0, at most 3600");
        } else {
            return usage("unknown option");
        }
    }
    if (!o.pack || (!o.out) == (!o.still))
        return usage("give --pack and one of --out and --still");
    return 0;
}

// Starts the show as the program does, up to its first frame, in a window of
// the chosen size. False after the start-up's own message.
bool startShow(const Options& o)
{
    std::string folder;
    if (!headlessPackFolder(o.pack, folder))
        return false;
    setHeadlessDataFolder(folder);
    setHeadlessMode(o.width, o.height);
    return startDemo(nullptr);
}

// The update before frame `index`: none of the scene's time has passed when the
// first frame is drawn, and exactly index / 60 s when frame `index` is.
void advanceTo(long index)
{
    update(index == 0 ? 0.0 : frameMs);
}

// How much of frame `index` of `total` is left by the fades, as a fraction of
// fadeInFrames * fadeOutFrames: all of it between them.
long fadeLevel(long index, long total)
{
    const long in = index < fadeInFrames ? index : fadeInFrames;
    const long left = total - 1 - index;
    const long out = left < fadeOutFrames ? left : fadeOutFrames;
    return in * out;
}

// The frame dimmed to `level` of fadeInFrames * fadeOutFrames, into `faded`.
const unsigned char* fadePicture(const unsigned char* rgba, size_t bytes, long level,
                                 std::vector<unsigned char>& faded)
{
    const long full = fadeInFrames * fadeOutFrames;
    if (level >= full)
        return rgba;
    faded.resize(bytes);
    for (size_t k = 0; k < bytes; ++k)
        faded[k] = (k & 3) == 3 ? rgba[k] : (unsigned char)((rgba[k] * level + full / 2) / full);
    return faded.data();
}

// The frame's sound faded from `level` to `nextLevel` across its samples.
void fadeSound(int16_t* stereo, size_t frames, long level, long nextLevel)
{
    const long full = fadeInFrames * fadeOutFrames;
    if (level >= full && nextLevel >= full)
        return;
    for (size_t k = 0; k < frames; ++k) {
        const double gain =
            (double(level) + double(nextLevel - level) * double(k) / double(frames)) / full;
        stereo[2 * k] = int16_t(std::lround(stereo[2 * k] * gain));
        stereo[2 * k + 1] = int16_t(std::lround(stereo[2 * k + 1] * gain));
    }
}

int writeStill(const Options& o)
{
    const long target = std::lround(o.at * framesPerSecond);
    for (long k = 0; k <= target; ++k)
        advanceTo(k);
    draw();
    glFinish();
    const unsigned char* pixels = headlessPixels();
    const size_t row = size_t(o.width) * 4;
    std::vector<unsigned char> picture(row * o.height);
    for (uint32_t y = 0; y < o.height; ++y) {
        std::memcpy(&picture[y * row], &pixels[(o.height - 1 - y) * row], row);
        for (size_t x = 3; x < row; x += 4)
            picture[y * row + x] = 255;  // the window shows colour only
    }
    if (!stbi_write_png(o.still, int(o.width), int(o.height), 4, picture.data(), int(row))) {
        std::fprintf(stderr, "snowgig-video: cannot write %s\n", o.still);
        return 1;
    }
    std::printf("snowgig-video: frame %ld (%.3f s) of %ux%u in %s\n", target,
                double(target) / framesPerSecond, o.width, o.height, o.still);
    return 0;
}

int writeVideo(const Options& o)
{
    const int sampleRate = soundOutputRate();
    if (sampleRate % framesPerSecond != 0) {
        std::fprintf(stderr, "snowgig-video: the sound runs at %d Hz, not a whole number of "
                             "samples a frame\n", sampleRate);
        return 1;
    }
    const int soundFramesPerFrame = sampleRate / framesPerSecond;  // 735 at 44.1 kHz
    const EncoderSettings settings = {o.width, o.height, framesPerSecond, sampleRate,
                                      o.preset, o.out};
    if (!startEncoder(settings))
        return 1;
    const long total = std::lround(o.seconds * framesPerSecond);
    std::vector<int16_t> sound(2 * size_t(soundFramesPerFrame));
    long musicFrom = -1;
    long done = 0;
    bool ok = true;
    std::vector<unsigned char> faded;
    const size_t frameBytes = size_t(o.width) * o.height * 4;
    startProgress(total);
    for (; done < total && ok; ++done) {
        advanceTo(done);
        draw();
        glFinish();
        // The sound of this frame's 1/60 s: silence while the music is paused,
        // the tune on from the frame whose update unpaused it.
        const bool playing = !soundOutputPaused();
        const size_t got = readMemoryOutput(sound.data(), size_t(soundFramesPerFrame));
        if (playing) {
            if (musicFrom < 0)
                musicFrom = done;
            if (got < size_t(soundFramesPerFrame)) {
                std::fprintf(stderr, "\nsnowgig-video: the tune could not be decoded\n");
                ok = false;
            }
        }
        const long level = fadeLevel(done, total);
        const long nextLevel = done + 1 < total ? fadeLevel(done + 1, total) : 0;
        fadeSound(sound.data(), size_t(soundFramesPerFrame), level, nextLevel);
        writeSound(sound.data(), size_t(soundFramesPerFrame));
        if (ok && !writeVideoFrame(fadePicture(headlessPixels(), frameBytes, level, faded))) {
            std::fprintf(stderr, "\nsnowgig-video: ffmpeg stopped taking frames\n");
            ok = false;
        }
        showProgress(done + 1);
    }
    const double fps = endProgress(done);
    const bool encoded = finishEncoder();
    if (!ok || !encoded) {
        std::fprintf(stderr, "snowgig-video: ffmpeg did not make %s\n", o.out);
        return 1;
    }
    std::printf("snowgig-video: %ld frames of %ux%u at %d fps, %.1f frames rendered and encoded "
                "per second\n",
                done, o.width, o.height, framesPerSecond, fps);
    if (musicFrom >= 0)
        std::printf("snowgig-video: music from frame %ld (%.3f s)\n", musicFrom,
                    double(musicFrom) / framesPerSecond);
    else
        std::printf("snowgig-video: the music does not start within the video\n");
    std::printf("snowgig-video: wrote %s\n", o.out);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    Options options;
    if (const int bad = parseOptions(argc, argv, options))
        return bad;
    const int result = !startShow(options) ? 1
                       : options.still     ? writeStill(options)
                                           : writeVideo(options);
    cleanup();
    return result;
}
