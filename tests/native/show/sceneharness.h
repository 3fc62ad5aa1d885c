// Sets up the scene as loading does, with textures of chosen sizes, a window of
// a chosen size and the random generator seeded as at start-up.
#ifndef SNOWGIG_TEST_SCENEHARNESS_H
#define SNOWGIG_TEST_SCENEHARNESS_H

#include <cstdint>

struct SceneSetup {
    uint32_t windowWidth = 640;
    uint32_t windowHeight = 480;
    uint32_t santaWidth = 120;
    uint32_t santaHeight = 160;
    uint32_t carWidth = 240;
    uint32_t carHeight = 90;
};

// A texture with only its size and GL name, padded to power-of-two sides.
class Texture;
Texture* makeTexture(unsigned int glName, uint32_t width, uint32_t height);

// Puts every scene variable back to the value the program starts with, makes
// the window and the textures, sets scaleX/scaleY from the window size and
// calls createScene.
void setUpScene(const SceneSetup& setup = SceneSetup());
void tearDownScene();

// Runs the intro away: the state the first scene update finds.
void skipIntro();

#endif
