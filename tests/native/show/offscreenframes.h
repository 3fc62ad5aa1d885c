// Chosen scene states drawn off screen (offscreen.h) and read back as
// pictures, with PNG files and a fingerprint of the pictures drawn from.
#ifndef SNOWGIG_TEST_OFFSCREENFRAMES_H
#define SNOWGIG_TEST_OFFSCREENFRAMES_H

#include "offscreen.h"

#include <cstdint>
#include <vector>

struct Picture {
    uint32_t width = 0;
    uint32_t height = 0;
    std::vector<unsigned char> rgba;  // top row first
};

// A fingerprint of the picture files in the open pack (FNV-1a over their
// bytes, in load order), written beside the reference pictures so that a
// changed picture can be told from a changed drawing.
uint64_t pictureFingerprint();
bool readFingerprint(const char* path, uint64_t& fingerprint);
bool writeFingerprint(const char* path, uint64_t fingerprint);

// Gives the window this size, sets scaleX/scaleY for it and creates the scene
// afresh, ready for a pose.
void prepareFrame(uint32_t width, uint32_t height);
// Draws the current scene state and reads the picture back.
Picture renderFrame();

bool readPng(const char* path, Picture& picture);
bool writePng(const char* path, const Picture& picture);

#endif
