// What the library's calls (fsoundcalls.cpp) need below them: a decoder per
// stream that feeds the stream's PcmSource (libmpg123 on every platform,
// streamdecoder.cpp), and the one output device that plays a PcmSource
// (soundoutput.cpp, over the ways to a device each platform offers). Of all
// this a platform provides only soundOutputWays and the outputs it lists;
// common/windowsystem.h lists everything else a platform provides.
#ifndef SNOWGIG_SOUNDPLATFORM_H
#define SNOWGIG_SOUNDPLATFORM_H

#include <cstddef>
#include <cstdint>

#include "mp3layout.h"
#include "pcmsource.h"

struct StreamDecoder;

enum StreamDecoderResult { STREAM_DECODER_OK, STREAM_DECODER_NO_CODEC, STREAM_DECODER_NO_MEMORY };

// Opens a decoder for the stream in `data` and the feed `source` that reads
// through it (looping or once). `*decoder` is set only on success.
StreamDecoderResult openStreamDecoder(StreamDecoder** decoder, PcmSource* source,
                                      const uint8_t* data, const Mp3Layout& layout, bool loop);
void closeStreamDecoder(StreamDecoder* decoder, PcmSource* source);

// Opens the default output device for 16-bit stereo at `sampleRate`. False
// when there is no device or it cannot be opened.
bool openSoundOutput(int sampleRate);
void closeSoundOutput();
// The rate the output is open at, 0 when it is closed.
int soundOutputRate();
// The name of the way to the device that is open ("" when none is).
const char* soundOutputName();

// Starts feeding the device from `source` (paused: nothing is heard until
// resumed). Returns at once; decoding runs on the output's own thread.
bool startSoundOutput(PcmSource* source, bool paused);
// Stops playing; afterwards `source` is no longer touched.
void stopSoundOutput();
void pauseSoundOutput(bool paused);
bool soundOutputPaused();

// One way to a sound device. Each platform defines soundOutputWays: the ways
// it has, the one it prefers first; openSoundOutput takes the first that
// opens. The user may narrow the choice (see the platform's outputways.cpp).
struct SoundOutputWay {
    const char* name;
    bool (*open)(int sampleRate);
    void (*close)();
    bool (*start)(PcmSource* source, bool paused);
    void (*stop)();
    void (*pause)(bool paused);
};
const SoundOutputWay* soundOutputWays(size_t* count);

#endif
