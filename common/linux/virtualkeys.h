// The key table of GLWindow is indexed by Windows virtual-key codes (Escape is
// 27, letters are their capitals, digits their characters), so the show reads
// the same codes on both platforms. This maps SDL's key codes onto them.
#ifndef SNOWGIG_VIRTUALKEYS_H
#define SNOWGIG_VIRTUALKEYS_H

#include <cstdint>

// The virtual-key code of an SDL key code, or -1 for a key without one.
int virtualKeyOf(int32_t sdlKey);

#endif
