// Hands raw frames and sound to an ffmpeg process that encodes them into an
// MP4 file: H.264 (yuv420p) and AAC. The frames go through ffmpeg's standard
// input; the sound through a named pipe that a thread of its own keeps
// writing, so that neither stream ever waits for the other.
#ifndef SNOWGIG_VIDEO_FFMPEGPIPE_H
#define SNOWGIG_VIDEO_FFMPEGPIPE_H

#include <cstddef>
#include <cstdint>

struct EncoderSettings {
    uint32_t width;
    uint32_t height;
    int framesPerSecond;
    int sampleRate;
    const char* preset;  // x264's speed preset
    const char* path;    // the MP4 file
};

// Starts ffmpeg. Says on stderr what failed and returns false.
bool startEncoder(const EncoderSettings& settings);
// One frame: RGBA, bottom row first, width x height.
bool writeVideoFrame(const unsigned char* rgba);
// Interleaved stereo 16-bit samples; queued, never waits.
void writeSound(const int16_t* stereo, size_t frames);
// Ends both streams and waits for ffmpeg. True when it made the file.
bool finishEncoder();

#endif
