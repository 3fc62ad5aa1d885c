#include "mpg123decoder.h"

#include <cstdlib>
#include <cstring>

bool openMpg123Decoder(Mpg123Decoder* decoder, const Mp3FrameHeader& format, size_t maxFrames)
{
    std::memset(decoder, 0, sizeof *decoder);
    // A no-op since libmpg123 1.27, needed before it.
    if (mpg123_init() != MPG123_OK)
        return false;
    int error = MPG123_OK;
    decoder->handle = mpg123_new(nullptr, &error);
    if (!decoder->handle)
        return false;
    // No gapless trimming of its own and no Info frame handling: the frames
    // come without the Info frame and loop endlessly, the caller trims.
    bool ready =
        mpg123_param(decoder->handle, MPG123_FLAGS, MPG123_QUIET | MPG123_IGNORE_INFOFRAME, 0) ==
            MPG123_OK &&
        mpg123_format_none(decoder->handle) == MPG123_OK &&
        mpg123_format(decoder->handle, long(format.sampleRate),
                      format.channels == 1 ? MPG123_MONO : MPG123_STEREO,
                      MPG123_ENC_SIGNED_16) == MPG123_OK &&
        mpg123_open_feed(decoder->handle) == MPG123_OK;
    decoder->channels = format.channels;
    // Room for two frames more than asked for, in case the decoder holds one
    // back from a call to the next.
    decoder->pcmCapacity = (maxFrames + 2) * size_t(format.samplesPerFrame);
    decoder->pcm = static_cast<int16_t*>(
        std::malloc(decoder->pcmCapacity * size_t(format.channels) * sizeof(int16_t)));
    if (!ready || !decoder->pcm) {
        closeMpg123Decoder(decoder);
        return false;
    }
    return true;
}

void closeMpg123Decoder(Mpg123Decoder* decoder)
{
    if (decoder->handle) {
        mpg123_close(decoder->handle);
        mpg123_delete(decoder->handle);
    }
    std::free(decoder->pcm);
    std::memset(decoder, 0, sizeof *decoder);
}

long decodeMpg123(Mpg123Decoder* decoder, const uint8_t* frames, size_t bytes, bool flush,
                  const int16_t** pcm)
{
    (void)flush;  // a Layer III frame comes out whole as soon as it is fed
    *pcm = decoder->pcm;
    if (bytes > 0 && mpg123_feed(decoder->handle, frames, bytes) != MPG123_OK)
        return -1;
    size_t frameBytes = 2 * size_t(decoder->channels);
    size_t filled = 0;
    for (;;) {
        off_t number = 0;
        unsigned char* audio = nullptr;
        size_t audioBytes = 0;
        int result = mpg123_decode_frame(decoder->handle, &number, &audio, &audioBytes);
        if (result == MPG123_NEED_MORE || result == MPG123_DONE)
            break;
        if (result == MPG123_NEW_FORMAT)
            continue;
        if (result != MPG123_OK)
            return -1;
        size_t decoded = audioBytes / frameBytes;
        if (decoded > decoder->pcmCapacity - filled)
            return -1;
        std::memcpy(decoder->pcm + filled * size_t(decoder->channels), audio,
                    decoded * frameBytes);
        filled += decoded;
    }
    return long(filled);
}
