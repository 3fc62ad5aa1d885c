#include "memoryoutput.h"

#include <cstdio>
#include <cstring>

namespace {

struct MemoryOutput {
    int sampleRate = 0;
    PcmSource* source = nullptr;
    bool paused = false;
    std::FILE* file = nullptr;
};

MemoryOutput output;

bool openMemoryOutput(int sampleRate)
{
    output.sampleRate = sampleRate;
    return true;
}

void stopMemoryOutput()
{
    output.source = nullptr;
}

void closeMemoryOutput()
{
    stopMemoryOutput();
    output.sampleRate = 0;
}

bool startMemoryOutput(PcmSource* source, bool paused)
{
    output.source = source;
    output.paused = paused;
    return true;
}

void pauseMemoryOutput(bool paused)
{
    output.paused = paused;
}

}  // namespace

const SoundOutputWay memoryOutputWay = {"memory", openMemoryOutput, closeMemoryOutput,
                                        startMemoryOutput, stopMemoryOutput, pauseMemoryOutput};

size_t readMemoryOutput(int16_t* stereo, size_t frames)
{
    size_t got = 0;
    if (output.source && !output.paused)
        got = readPcm(output.source, stereo, frames);
    std::memset(stereo + 2 * got, 0, (frames - got) * 2 * sizeof(int16_t));
    if (output.file && std::fwrite(stereo, 2 * sizeof(int16_t), frames, output.file) != frames) {
        std::fprintf(stderr, "the sound file could not be written\n");
        std::fclose(output.file);
        output.file = nullptr;
    }
    return got;
}

bool writeMemoryOutputTo(const char* path)
{
    if (output.file)
        std::fclose(output.file);
    output.file = nullptr;
    if (!path)
        return true;
    output.file = std::fopen(path, "wb");
    if (!output.file) {
        std::fprintf(stderr, "cannot write the sound to %s\n", path);
        return false;
    }
    return true;
}
