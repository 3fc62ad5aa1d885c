#include "acmdecoder.h"

#include <cstdlib>
#include <cstring>

namespace {

// Codec delay in the format's description; decoders use it only as a hint.
const WORD layer3CodecDelay = 1393;

}  // namespace

bool openAcmDecoder(AcmDecoder* decoder, const Mp3FrameHeader& format, size_t maxSourceBytes,
                    size_t maxFrames)
{
    std::memset(decoder, 0, sizeof *decoder);
    MPEGLAYER3WAVEFORMAT mp3 = {};
    mp3.wfx.wFormatTag = WAVE_FORMAT_MPEGLAYER3;
    mp3.wfx.nChannels = WORD(format.channels);
    mp3.wfx.nSamplesPerSec = DWORD(format.sampleRate);
    mp3.wfx.nAvgBytesPerSec = DWORD(format.bitrateKbps * 1000 / 8);
    mp3.wfx.nBlockAlign = 1;
    mp3.wfx.wBitsPerSample = 0;
    mp3.wfx.cbSize = MPEGLAYER3_WFX_EXTRA_BYTES;
    mp3.wID = MPEGLAYER3_ID_MPEG;
    mp3.fdwFlags = MPEGLAYER3_FLAG_PADDING_OFF;
    mp3.nBlockSize = WORD(format.frameBytes);
    mp3.nFramesPerBlock = 1;
    mp3.nCodecDelay = layer3CodecDelay;

    WAVEFORMATEX pcm = {};
    pcm.wFormatTag = WAVE_FORMAT_PCM;
    pcm.nChannels = WORD(format.channels);
    pcm.nSamplesPerSec = DWORD(format.sampleRate);
    pcm.wBitsPerSample = 16;
    pcm.nBlockAlign = WORD(2 * format.channels);
    pcm.nAvgBytesPerSec = pcm.nSamplesPerSec * pcm.nBlockAlign;

    if (acmStreamOpen(&decoder->stream, nullptr, &mp3.wfx, &pcm, nullptr, 0, 0, 0) != 0) {
        decoder->stream = nullptr;
        return false;
    }

    // Room for every sample the frames can carry and for two frames the codec
    // may have held back from the previous call.
    size_t pcmBytes = (maxFrames + 2) * size_t(format.samplesPerFrame) * pcm.nBlockAlign;
    DWORD suggested = 0;
    if (acmStreamSize(decoder->stream, DWORD(maxSourceBytes), &suggested,
                      ACM_STREAMSIZEF_SOURCE) == 0 && suggested > pcmBytes)
        pcmBytes = suggested;

    decoder->channels = format.channels;
    decoder->sourceCapacity = maxSourceBytes;
    decoder->source = static_cast<uint8_t*>(std::malloc(maxSourceBytes));
    decoder->pcmCapacity = pcmBytes;
    decoder->pcm = static_cast<int16_t*>(std::malloc(pcmBytes));
    if (!decoder->source || !decoder->pcm) {
        closeAcmDecoder(decoder);
        return false;
    }
    decoder->header.cbStruct = sizeof decoder->header;
    decoder->header.pbSrc = decoder->source;
    decoder->header.cbSrcLength = DWORD(maxSourceBytes);
    decoder->header.pbDst = reinterpret_cast<BYTE*>(decoder->pcm);
    decoder->header.cbDstLength = DWORD(pcmBytes);
    if (acmStreamPrepareHeader(decoder->stream, &decoder->header, 0) != 0) {
        closeAcmDecoder(decoder);
        return false;
    }
    return true;
}

void closeAcmDecoder(AcmDecoder* decoder)
{
    if (decoder->stream) {
        if (decoder->header.fdwStatus & ACMSTREAMHEADER_STATUSF_PREPARED) {
            decoder->header.cbSrcLength = DWORD(decoder->sourceCapacity);
            decoder->header.cbDstLength = DWORD(decoder->pcmCapacity);
            acmStreamUnprepareHeader(decoder->stream, &decoder->header, 0);
        }
        acmStreamClose(decoder->stream, 0);
    }
    std::free(decoder->source);
    std::free(decoder->pcm);
    std::memset(decoder, 0, sizeof *decoder);
}

long decodeAcm(AcmDecoder* decoder, const uint8_t* frames, size_t bytes, bool flush,
               const int16_t** pcm)
{
    if (bytes > decoder->sourceCapacity - decoder->sourceFill)
        return -1;
    std::memcpy(decoder->source + decoder->sourceFill, frames, bytes);
    decoder->sourceFill += bytes;

    DWORD flags = ACM_STREAMCONVERTF_BLOCKALIGN;
    if (!decoder->started)
        flags |= ACM_STREAMCONVERTF_START;
    if (flush)
        flags = ACM_STREAMCONVERTF_END;
    decoder->header.cbSrcLength = DWORD(decoder->sourceFill);
    decoder->header.cbDstLength = DWORD(decoder->pcmCapacity);
    decoder->header.cbSrcLengthUsed = 0;
    decoder->header.cbDstLengthUsed = 0;
    if (acmStreamConvert(decoder->stream, &decoder->header, flags) != 0)
        return -1;
    decoder->started = true;

    size_t used = decoder->header.cbSrcLengthUsed;
    if (used > decoder->sourceFill)
        used = decoder->sourceFill;
    std::memmove(decoder->source, decoder->source + used, decoder->sourceFill - used);
    decoder->sourceFill -= used;
    *pcm = decoder->pcm;
    return long(decoder->header.cbDstLengthUsed / (2 * DWORD(decoder->channels)));
}
