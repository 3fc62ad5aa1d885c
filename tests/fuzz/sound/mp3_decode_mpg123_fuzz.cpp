// Plays the input through the library's decoding as it plays a stream
// (libmpg123 behind the trimming and looping feed), once and looped, for a
// bounded number of sample frames: whatever the frames' contents, the decoder
// must neither fail outside its buffers nor give more samples than asked for.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "soundplatform.h"

namespace {

const size_t framesPerInput = 200000;

void check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // An exact copy, so that a read past the input's end is caught.
    std::vector<uint8_t> input(data, data + size);
    Mp3Layout layout;
    if (!scanMp3Layout(input.data(), input.size(), &layout))
        return 0;
    check(layout.end <= size);
    std::vector<int16_t> block(2 * 4096 + 2);
    for (bool loop : {false, true}) {
        StreamDecoder* decoder = nullptr;
        PcmSource source;
        if (openStreamDecoder(&decoder, &source, input.data(), layout, loop) != STREAM_DECODER_OK)
            continue;
        block[2 * 4096] = block[2 * 4096 + 1] = 0x5A5A;
        for (size_t done = 0; done < framesPerInput;) {
            size_t got = readPcm(&source, block.data(), 4096);
            check(got <= 4096);
            check(block[2 * 4096] == 0x5A5A && block[2 * 4096 + 1] == 0x5A5A);
            if (got == 0)
                break;
            done += got;
        }
        closeStreamDecoder(decoder, &source);
    }
    return 0;
}
