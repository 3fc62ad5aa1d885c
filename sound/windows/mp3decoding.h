// An MP3 stream in memory decoded by the system codec: the decoder and the
// trimmed, looping sample feed, sized the way the library plays them.
#ifndef SNOWGIG_MP3DECODING_H
#define SNOWGIG_MP3DECODING_H

#include "acmdecoder.h"
#include "pcmsource.h"

enum Mp3DecodingResult { MP3_DECODING_OK, MP3_DECODING_NO_CODEC, MP3_DECODING_NO_MEMORY };

Mp3DecodingResult openMp3Decoding(AcmDecoder* decoder, PcmSource* source, const uint8_t* data,
                                  const Mp3Layout& layout, bool loop);
void closeMp3Decoding(AcmDecoder* decoder, PcmSource* source);

#endif
