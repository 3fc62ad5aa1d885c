// Plays an MP3 file through fmod.dll the way the demo does and prints two
// figures: the delay from the unpause call to the first sample that reaches
// the sound device (read back from the rig's capture file), and how much the
// process's heap and committed memory grow while the library plays.
//   playbench file.mp3 capture.raw [repeats]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "../../tests/support/filebytes.h"
#include "fmod.h"

namespace {

double now()
{
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return double(counter.QuadPart) / double(frequency.QuadPart);
}

// Committed private memory of the process: heaps, thread stacks, buffers.
size_t committedBytes()
{
    size_t total = 0;
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    char* at = static_cast<char*>(system.lpMinimumApplicationAddress);
    MEMORY_BASIC_INFORMATION region;
    while (at < system.lpMaximumApplicationAddress &&
           VirtualQuery(at, &region, sizeof region) == sizeof region) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE)
            total += region.RegionSize;
        at = static_cast<char*>(region.BaseAddress) + region.RegionSize;
    }
    return total;
}

// Bytes in use in every heap of the process.
size_t heapBytes()
{
    HANDLE heaps[64];
    DWORD count = GetProcessHeaps(64, heaps);
    size_t total = 0;
    for (DWORD i = 0; i < count && i < 64; ++i) {
        if (!HeapLock(heaps[i]))
            continue;
        PROCESS_HEAP_ENTRY entry = {};
        while (HeapWalk(heaps[i], &entry)) {
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY)
                total += entry.cbData;
        }
        HeapUnlock(heaps[i]);
    }
    return total;
}

// Bytes of the capture file from `offset` on.
std::vector<uint8_t> captured(const std::string& path, long offset)
{
    std::vector<uint8_t> bytes;
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return bytes;
    if (std::fseek(f, offset, SEEK_SET) == 0) {
        uint8_t buffer[65536];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
            bytes.insert(bytes.end(), buffer, buffer + n);
    }
    std::fclose(f);
    return bytes;
}

bool hasSound(const std::vector<uint8_t>& bytes)
{
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        int16_t v = int16_t(bytes[i] | bytes[i + 1] << 8);
        if (v > 64 || v < -64)
            return true;
    }
    return false;
}

long fileSize(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return 0;
    return long(data.nFileSizeLow);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: playbench file.mp3 capture.raw [repeats]\n");
        return 2;
    }
    std::string capture = windowsPath(argv[2]);
    int repeats = argc > 3 ? std::atoi(argv[3]) : 5;
    std::vector<uint8_t> tune = readFile(argv[1]);
    if (tune.empty()) {
        std::fprintf(stderr, "playbench: cannot read %s\n", argv[1]);
        return 1;
    }

    size_t committedBefore = committedBytes();
    size_t heapBefore = heapBytes();
    if (!FSOUND_Init(44100, 32, 0)) {
        std::fprintf(stderr, "playbench: no sound device (%d)\n", FSOUND_GetError());
        return 1;
    }
    size_t committedPeak = committedBytes();
    size_t heapPeak = heapBytes();
    std::vector<double> delays;
    for (int r = 0; r < repeats; ++r) {
        FSOUND_STREAM* stream = FSOUND_Stream_Open(reinterpret_cast<const char*>(tune.data()), 0x28132, 0, int(tune.size()));
        if (!stream) {
            std::fprintf(stderr, "playbench: cannot open the tune (%d)\n", FSOUND_GetError());
            return 1;
        }
        int channel = FSOUND_Stream_PlayEx(FSOUND_FREE, stream, nullptr, 1);
        Sleep(500);
        long offset = fileSize(capture);
        double start = now();
        FSOUND_SetPaused(channel, 0);
        double heard = -1;
        while (now() - start < 2.0) {
            if (hasSound(captured(capture, offset))) {
                heard = now() - start;
                break;
            }
            Sleep(1);
        }
        for (int i = 0; i < 100; ++i) {
            committedPeak = std::max(committedPeak, committedBytes());
            heapPeak = std::max(heapPeak, heapBytes());
            Sleep(10);
        }
        FSOUND_Stream_Close(stream);
        if (heard >= 0)
            delays.push_back(heard * 1000.0);
    }
    FSOUND_Close();

    std::sort(delays.begin(), delays.end());
    if (delays.empty())
        std::printf("playbench: no sound reached the device\n");
    else
        std::printf("playbench: unpause to first sample: median %.1f ms, best %.1f ms, worst "
                    "%.1f ms (%zu runs)\n",
                    delays[delays.size() / 2], delays.front(), delays.back(), delays.size());
    std::printf("playbench: while playing, heap in use %.0f KiB and committed private memory "
                "%.0f KiB above the start (tune of %zu KiB held by the caller)\n",
                double(heapPeak - heapBefore) / 1024.0,
                double(committedPeak - committedBefore) / 1024.0, tune.size() / 1024);
    return 0;
}
