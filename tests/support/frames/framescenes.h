// The scene states whose frames are kept as reference pictures, shared by every
// renderer that draws them: OSMesa off screen, and the real windows of both
// platforms.
#ifndef SNOWGIG_TEST_FRAMESCENES_H
#define SNOWGIG_TEST_FRAMESCENES_H

#include <cstdint>

struct FrameScene {
    const char* name;
    uint32_t width;
    uint32_t height;
    void (*pose)();  // sets the scene state after resetFrameScene
};

extern const FrameScene frameScenes[];
extern const int frameSceneCount;

const FrameScene* findFrameScene(const char* name);

// Starts the scene afresh for the current glWindow's size, whose scaleX and
// scaleY are already set: the projection for that size, the sprites made anew,
// the scene frame with nothing on the way yet. A pose then moves things.
void resetFrameScene();
// resetFrameScene, then the scene's own pose.
void poseFrameScene(const FrameScene& scene);

#endif
