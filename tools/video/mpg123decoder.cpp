#include "mpg123decoder.h"

#include <mpg123.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

bool openMpg123Decoder(Mpg123Decoder* decoder, const Mp3FrameHeader& format, size_t maxFrames)
{
    std::memset(decoder, 0, sizeof *decoder);
    int error = MPG123_OK;
    mpg123_handle* handle = mpg123_new(nullptr, &error);
    if (!handle) {
        std::fprintf(stderr, "no MP3 decoder: %s\n", mpg123_plain_strerror(error));
        return false;
    }
    decoder->handle = handle;
    // Every sample the decoder makes is wanted: the trimming is done by the
    // caller, from the stream's own gapless information.
    const long encoding = MPG123_ENC_SIGNED_16;
    if (mpg123_param(handle, MPG123_REMOVE_FLAGS, MPG123_GAPLESS, 0) != MPG123_OK ||
        mpg123_param(handle, MPG123_ADD_FLAGS, MPG123_QUIET, 0) !=
            MPG123_OK ||
        mpg123_format_none(handle) != MPG123_OK ||
        mpg123_format(handle, format.sampleRate, format.channels, encoding) != MPG123_OK ||
        mpg123_open_feed(handle) != MPG123_OK) {
        std::fprintf(stderr, "cannot set up the MP3 decoder: %s\n", mpg123_strerror(handle));
        closeMpg123Decoder(decoder);
        return false;
    }
    decoder->channels = format.channels;
    decoder->capacity = maxFrames;
    decoder->pcm = static_cast<int16_t*>(std::malloc(maxFrames * 2 * sizeof(int16_t)));
    if (!decoder->pcm) {
        std::fprintf(stderr, "out of memory for the MP3 decoder\n");
        closeMpg123Decoder(decoder);
        return false;
    }
    return true;
}

void closeMpg123Decoder(Mpg123Decoder* decoder)
{
    if (decoder->handle)
        mpg123_delete(decoder->handle);
    decoder->handle = nullptr;
    std::free(decoder->pcm);
    decoder->pcm = nullptr;
    decoder->capacity = 0;
}

long decodeWithMpg123(void* opaque, const uint8_t* frames, size_t bytes, bool, const int16_t** pcm)
{
    Mpg123Decoder* decoder = static_cast<Mpg123Decoder*>(opaque);
    *pcm = decoder->pcm;
    if (bytes > 0 && mpg123_feed(decoder->handle, frames, bytes) != MPG123_OK)
        return -1;
    const size_t frameBytes = sizeof(int16_t) * size_t(decoder->channels);
    const size_t capacityBytes = decoder->capacity * frameBytes;
    size_t filled = 0;
    // Whatever the decoder can make from what it has been fed. A frame it cannot
    // finish yet waits for the next call; what does not fit stays inside it.
    while (filled < capacityBytes) {
        size_t done = 0;
        const int result = mpg123_read(decoder->handle,
                                       reinterpret_cast<unsigned char*>(decoder->pcm) + filled,
                                       capacityBytes - filled, &done);
        filled += done;
        if (result == MPG123_NEED_MORE || result == MPG123_DONE)
            break;
        if (result != MPG123_OK && result != MPG123_NEW_FORMAT)
            return -1;
    }
    return long(filled / frameBytes);
}
