// The scene states whose frames are kept as reference pictures.
#ifndef SNOWGIG_TEST_FRAMESCENES_H
#define SNOWGIG_TEST_FRAMESCENES_H

#include <cstdint>

struct FrameScene {
    const char* name;
    uint32_t width;
    uint32_t height;
    void (*pose)();  // sets the scene state after prepareFrame
};

extern const FrameScene frameScenes[];
extern const int frameSceneCount;

const FrameScene* findFrameScene(const char* name);

#endif
