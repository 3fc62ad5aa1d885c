// The Linux key table must hold the Windows virtual-key codes the show reads:
// a letter at its capital (SDL reports the small one), Escape at 27.
#include "virtualkeys.h"

#include <SDL2/SDL_keyboard.h>
#include <gtest/gtest.h>

namespace {

struct KeyCase {
    int32_t sdlKey;
    int virtualKey;
};

const KeyCase keyCases[] = {
    {SDLK_ESCAPE, 0x1B}, {SDLK_RETURN, 0x0D}, {SDLK_KP_ENTER, 0x0D}, {SDLK_SPACE, 0x20},
    {SDLK_a, 'A'},       {SDLK_z, 'Z'},       {SDLK_0, '0'},         {SDLK_9, '9'},
    {SDLK_F1, 0x70},     {SDLK_F4, 0x73},     {SDLK_F12, 0x7B},      {SDLK_LEFT, 0x25},
    {SDLK_DOWN, 0x28},   {SDLK_LALT, 0x12},   {SDLK_RSHIFT, 0x10},   {SDLK_KP_0, 0x60},
    {SDLK_KP_9, 0x69},   {SDLK_DELETE, 0x2E},
    // Keys without a virtual-key code are not recorded at all.
    {SDLK_UNKNOWN, -1},  {SDLK_F13, -1},      {SDLK_AUDIOPLAY, -1},
};

TEST(VirtualKeys, SdlKeysLandOnTheWindowsCodes)
{
    for (const KeyCase& key : keyCases)
        EXPECT_EQ(key.virtualKey, virtualKeyOf(key.sdlKey)) << SDL_GetKeyName(key.sdlKey);
}

}  // namespace
