// The one criterion by which a drawn frame matches its reference picture, the
// figures behind it, and the fingerprint of the pack's pictures that tells a
// changed picture from a changed drawing.
#ifndef SNOWGIG_TEST_FRAMECHECK_H
#define SNOWGIG_TEST_FRAMECHECK_H

#include "picture.h"

#include <cstddef>
#include <cstdint>
#include <string>

// A pixel is off when one of its colour channels is further than this from the
// reference; a frame matches while at most one pixel in pixelsPerOffPixel is
// off: room for rounding in a blend or a texel sampled across an edge, not for
// a missing or misplaced sprite.
const int channelTolerance = 16;
const size_t pixelsPerOffPixel = 2000;

struct FrameDifference {
    size_t pixels = 0;     // in the frame
    size_t differing = 0;  // with any colour channel different at all
    size_t off = 0;        // with a colour channel further than channelTolerance
    int worst = 0;         // the largest difference of one colour channel
};

// Both pictures must be of one size.
FrameDifference compareFrames(const Picture& actual, const Picture& expected);
bool frameMatches(const FrameDifference& difference);

struct FrameCheck {
    FrameDifference difference;
    std::string failure;  // empty when the frame matches
};

// Compares the frame drawn for a scene with REFERENCE_DIR/NAME.png. When they do
// not match, writes PREFIX-NAME-actual.png and PREFIX-NAME-difference.png (off
// pixels red) into the working folder and says so, and whether the pack's
// pictures have changed since the references were drawn (the pack must be open).
FrameCheck checkReferenceFrame(const char* referenceDir, const char* sceneName,
                               const Picture& actual, const char* artefactPrefix);

// FNV-1a over the bytes of every picture file in the open pack, in load order;
// kept as REFERENCE_DIR/pictures.fingerprint.
uint64_t pictureFingerprint();
bool readFingerprint(const char* path, uint64_t& fingerprint);
bool writeFingerprint(const char* path, uint64_t fingerprint);

#endif
