#include "virtualkeys.h"

#include <SDL2/SDL_keycode.h>

namespace {

struct KeyPair {
    int32_t sdlKey;
    int virtualKey;
};

const KeyPair namedKeys[] = {
    {SDLK_BACKSPACE, 0x08}, {SDLK_TAB, 0x09},       {SDLK_RETURN, 0x0D},   {SDLK_KP_ENTER, 0x0D},
    {SDLK_LSHIFT, 0x10},    {SDLK_RSHIFT, 0x10},    {SDLK_LCTRL, 0x11},    {SDLK_RCTRL, 0x11},
    {SDLK_LALT, 0x12},      {SDLK_RALT, 0x12},      {SDLK_PAUSE, 0x13},    {SDLK_CAPSLOCK, 0x14},
    {SDLK_ESCAPE, 0x1B},    {SDLK_SPACE, 0x20},     {SDLK_PAGEUP, 0x21},   {SDLK_PAGEDOWN, 0x22},
    {SDLK_END, 0x23},       {SDLK_HOME, 0x24},      {SDLK_LEFT, 0x25},     {SDLK_UP, 0x26},
    {SDLK_RIGHT, 0x27},     {SDLK_DOWN, 0x28},      {SDLK_PRINTSCREEN, 0x2C},
    {SDLK_INSERT, 0x2D},    {SDLK_DELETE, 0x2E},    {SDLK_KP_MULTIPLY, 0x6A},
    {SDLK_KP_PLUS, 0x6B},   {SDLK_KP_MINUS, 0x6D},  {SDLK_KP_PERIOD, 0x6E}, {SDLK_KP_DIVIDE, 0x6F},
    {SDLK_NUMLOCKCLEAR, 0x90}, {SDLK_SCROLLLOCK, 0x91},
};

}  // namespace

int virtualKeyOf(int32_t sdlKey)
{
    if (sdlKey >= SDLK_a && sdlKey <= SDLK_z)
        return 'A' + (sdlKey - SDLK_a);
    if (sdlKey >= SDLK_0 && sdlKey <= SDLK_9)
        return '0' + (sdlKey - SDLK_0);
    if (sdlKey >= SDLK_KP_1 && sdlKey <= SDLK_KP_9)
        return 0x61 + (sdlKey - SDLK_KP_1);
    if (sdlKey == SDLK_KP_0)
        return 0x60;
    if (sdlKey >= SDLK_F1 && sdlKey <= SDLK_F12)
        return 0x70 + (sdlKey - SDLK_F1);
    for (const KeyPair& pair : namedKeys) {
        if (pair.sdlKey == sdlKey)
            return pair.virtualKey;
    }
    return -1;
}
