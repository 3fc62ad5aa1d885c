// Decodes whatever bytes it is given as a TGA file. Any read or write outside
// a buffer, or an accepted image whose fields do not fit its buffer, is a finding.
#include "texture.h"
#include "tgadecoder.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size)
{
    Texture texture;
    if (!decodeTga(data, size, texture))
        return 0;
    if (!texture.pixels || texture.width == 0 || texture.height == 0 ||
        texture.width > texture.texWidth || texture.height > texture.texHeight ||
        (texture.texWidth & (texture.texWidth - 1)) != 0 ||
        (texture.texHeight & (texture.texHeight - 1)) != 0)
        __builtin_trap();
    // Touch the last byte of the buffer so a short allocation shows.
    volatile unsigned char last = texture.pixels[size_t(texture.texWidth) * texture.texHeight * 4 - 1];
    (void)last;
    return 0;
}
