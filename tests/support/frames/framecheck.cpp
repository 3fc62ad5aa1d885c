#include "framecheck.h"

#include "images.h"
#include "pack.h"

#include <cstdio>
#include <cstdlib>

namespace {

int channelDifference(const Picture& a, const Picture& b, size_t pixel)
{
    int largest = 0;
    for (size_t c = 0; c < 3; ++c) {
        const int d = std::abs(int(a.rgba[pixel * 4 + c]) - int(b.rgba[pixel * 4 + c]));
        largest = d > largest ? d : largest;
    }
    return largest;
}

// The frame dimmed, with its off pixels in red.
Picture differencePicture(const Picture& actual, const Picture& expected)
{
    Picture difference = actual;
    const size_t pixels = size_t(actual.width) * actual.height;
    for (size_t p = 0; p < pixels; ++p) {
        const bool off = channelDifference(actual, expected, p) > channelTolerance;
        for (size_t c = 0; c < 3; ++c)
            difference.rgba[p * 4 + c] = off ? (c == 0 ? 255 : 0) : actual.rgba[p * 4 + c] / 4;
    }
    return difference;
}

}  // namespace

FrameDifference compareFrames(const Picture& actual, const Picture& expected)
{
    FrameDifference difference;
    difference.pixels = size_t(actual.width) * actual.height;
    for (size_t p = 0; p < difference.pixels; ++p) {
        const int d = channelDifference(actual, expected, p);
        difference.differing += d > 0;
        difference.off += d > channelTolerance;
        difference.worst = d > difference.worst ? d : difference.worst;
    }
    return difference;
}

bool frameMatches(const FrameDifference& difference)
{
    return difference.off * pixelsPerOffPixel <= difference.pixels;
}

FrameCheck checkReferenceFrame(const char* referenceDir, const char* sceneName,
                               const Picture& actual, const char* artefactPrefix)
{
    FrameCheck check;
    const std::string referencePath = std::string(referenceDir) + "/" + sceneName + ".png";
    Picture expected;
    if (!readPng(referencePath.c_str(), expected)) {
        check.failure = "no picture " + referencePath;
        return check;
    }
    if (expected.width != actual.width || expected.height != actual.height) {
        check.failure = "the frame is " + std::to_string(actual.width) + " x " +
                        std::to_string(actual.height) + ", " + referencePath + " is " +
                        std::to_string(expected.width) + " x " + std::to_string(expected.height);
        return check;
    }
    check.difference = compareFrames(actual, expected);
    if (frameMatches(check.difference))
        return check;

    const std::string stem = std::string(artefactPrefix) + "-" + sceneName;
    writePng((stem + "-actual.png").c_str(), actual);
    writePng((stem + "-difference.png").c_str(), differencePicture(actual, expected));
    uint64_t kept = 0;
    const std::string fingerprintPath = std::string(referenceDir) + "/pictures.fingerprint";
    const bool picturesChanged =
        !readFingerprint(fingerprintPath.c_str(), kept) || kept != pictureFingerprint();
    check.failure =
        std::to_string(check.difference.off) + " of " + std::to_string(check.difference.pixels) +
        " pixels differ from " + referencePath + " by more than " +
        std::to_string(channelTolerance) + " (worst " + std::to_string(check.difference.worst) +
        "); see " + stem + "-actual.png and -difference.png" +
        (picturesChanged ? ". The pictures in the pack have changed since the references were "
                           "drawn: look at the new frames, and if they are right, run `ninja "
                           "show_reference_images` in the native tree and commit the result"
                         : ". The pictures are the ones the references were drawn from: the "
                           "drawing itself differs");
    return check;
}

uint64_t pictureFingerprint()
{
    uint64_t hash = 1469598103934665603ull;
    unsigned char chunk[4096];
    for (const ImageFile& image : imageFiles) {
        PackStream* stream = packOpen(image.path, "rb");
        if (!stream)
            return 0;
        int got = 0;
        while ((got = packRead(chunk, 1, sizeof chunk, stream)) > 0) {
            for (int i = 0; i < got; ++i)
                hash = (hash ^ chunk[i]) * 1099511628211ull;
        }
        packClose(stream);
    }
    return hash;
}

bool readFingerprint(const char* path, uint64_t& fingerprint)
{
    std::FILE* file = std::fopen(path, "r");
    if (!file)
        return false;
    unsigned long long value = 0;
    const bool ok = std::fscanf(file, "%llx", &value) == 1;
    std::fclose(file);
    fingerprint = value;
    return ok;
}

bool writeFingerprint(const char* path, uint64_t fingerprint)
{
    std::FILE* file = std::fopen(path, "w");
    if (!file)
        return false;
    const bool ok = std::fprintf(file, "%016llx\n", static_cast<unsigned long long>(fingerprint)) > 0;
    return std::fclose(file) == 0 && ok;
}
