// The Linux sound library's figures, for one or more MP3 files:
//  - decoding as the library does it while playing (libmpg123, trimmed and
//    looped), best of several passes: its share of one core at real time;
//  - the process's CPU time while the library plays, with nothing else to do;
//  - from the unpause call to the first loud sample the device is given, and
//    from the pause call to the first silent buffer;
//  - dropouts (runs of 2 ms or more of silence) while two threads keep both
//    cores busy, as the show's uncapped frame loop does;
//  - heap in use and resident memory above the start while playing.
// The device is SDL's disk driver writing into a pipe that a thread of this
// program reads and timestamps: what the device was given, and when.
//   linuxsoundbench file.mp3...
#include <fcntl.h>
#include <malloc.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "../../../tests/support/filebytes.h"
#include "fmod.h"
#include "soundplatform.h"

namespace {

using Clock = std::chrono::steady_clock;
const long rate = 44100;

double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

void sleepMs(int ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

// Everything the device was given, left channel, with the time each buffer
// arrived.
struct Capture {
    std::mutex lock;
    std::vector<int16_t> left;
    std::vector<std::pair<size_t, Clock::time_point>> arrivals;  // (first sample, time)
    std::atomic<bool> done{false};
};

void readCapture(const std::string& fifo, Capture* capture)
{
    int fd = open(fifo.c_str(), O_RDONLY);
    if (fd < 0)
        return;
    std::vector<uint8_t> buffer(4096);
    ssize_t n;
    while ((n = read(fd, buffer.data(), buffer.size())) > 0) {
        std::lock_guard<std::mutex> hold(capture->lock);
        capture->arrivals.push_back({capture->left.size(), Clock::now()});
        for (ssize_t i = 0; i + 3 < n; i += 4)
            capture->left.push_back(int16_t(buffer[size_t(i)] | buffer[size_t(i) + 1] << 8));
    }
    close(fd);
    capture->done = true;
}

// The device's pace: sample frames per buffer and milliseconds between them.
void printPace(Capture* capture)
{
    std::lock_guard<std::mutex> hold(capture->lock);
    size_t n = capture->arrivals.size();
    if (n < 2)
        return;
    double span = std::chrono::duration<double>(capture->arrivals[n - 1].second -
                                                capture->arrivals[0].second).count();
    std::printf("the device: %zu buffers of %.0f sample frames, one every %.1f ms\n", n,
                double(capture->arrivals[n - 1].first) / double(n - 1),
                1000.0 * span / double(n - 1));
}

size_t capturedSamples(Capture* capture)
{
    std::lock_guard<std::mutex> hold(capture->lock);
    return capture->left.size();
}

// When the first buffer from sample `from` on that holds a sample louder
// (or, with !loud, a whole silent buffer) arrived; waits up to 2 s.
double arrivalOf(Capture* capture, size_t from, bool loud, Clock::time_point since)
{
    while (secondsSince(since) < 2.0) {
        {
            std::lock_guard<std::mutex> hold(capture->lock);
            for (size_t a = 0; a < capture->arrivals.size(); ++a) {
                size_t begin = capture->arrivals[a].first;
                size_t end = a + 1 < capture->arrivals.size() ? capture->arrivals[a + 1].first
                                                              : capture->left.size();
                if (end <= from || a + 1 == capture->arrivals.size())
                    continue;
                bool anyLoud = false;
                for (size_t i = std::max(begin, from); i < end; ++i)
                    anyLoud = anyLoud || std::abs(capture->left[i]) > 256;
                if (anyLoud == loud)
                    return std::chrono::duration<double>(capture->arrivals[a].second - since)
                               .count();
            }
        }
        sleepMs(1);
    }
    return -1;
}

int dropoutsIn(Capture* capture, size_t from, size_t to)
{
    std::lock_guard<std::mutex> hold(capture->lock);
    int dropouts = 0;
    long zeros = 0;
    for (size_t i = from; i < to && i < capture->left.size(); ++i) {
        zeros = capture->left[i] == 0 ? zeros + 1 : 0;
        if (zeros == rate * 2 / 1000)
            ++dropouts;
    }
    return dropouts;
}

double cpuSeconds()
{
    rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

size_t heapInUse()
{
    return mallinfo2().uordblks;
}

size_t residentBytes()
{
    FILE* f = std::fopen("/proc/self/statm", "r");
    long pages = 0, resident = 0;
    if (f) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(f);
    }
    return size_t(resident) * size_t(sysconf(_SC_PAGESIZE));
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? -1 : values[values.size() / 2];
}

// Decoding alone, as played: the whole tune once through the looping feed.
void benchDecoding(const std::vector<uint8_t>& mp3, const char* name)
{
    Mp3Layout layout;
    if (!scanMp3Layout(mp3.data(), mp3.size(), &layout)) {
        std::printf("%s: not an MP3\n", name);
        return;
    }
    double tuneSeconds = double(layout.frameCount) * layout.format.samplesPerFrame /
                         layout.format.sampleRate;
    std::vector<int16_t> block(2 * 2048);
    double best = 1e9;
    for (int run = 0; run < 5; ++run) {
        StreamDecoder* decoder = nullptr;
        PcmSource source;
        if (openStreamDecoder(&decoder, &source, mp3.data(), layout, true) != STREAM_DECODER_OK)
            return;
        auto start = Clock::now();
        size_t frames = size_t(tuneSeconds * layout.format.sampleRate);
        for (size_t done = 0; done < frames; done += 2048)
            readPcm(&source, block.data(), 2048);
        best = std::min(best, secondsSince(start));
        closeStreamDecoder(decoder, &source);
    }
    std::printf("%s: decoding %.1f s of the tune took %.4f s (best of 5): %.0f x real time, "
                "%.2f%% of one core while playing\n",
                name, tuneSeconds, best, tuneSeconds / best, 100.0 * best / tuneSeconds);
}

void benchPlaying(const std::vector<uint8_t>& mp3, const char* name, Capture* capture)
{
    size_t heapBefore = heapInUse();
    size_t residentBefore = residentBytes();
    FSOUND_STREAM* stream =
        FSOUND_Stream_Open(reinterpret_cast<const char*>(mp3.data()), 0x28132, 0, int(mp3.size()));
    if (!stream) {
        std::printf("%s: cannot open the tune (%d)\n", name, FSOUND_GetError());
        return;
    }
    int channel = FSOUND_Stream_PlayEx(FSOUND_FREE, stream, nullptr, 1);
    sleepMs(500);

    // Playing with nothing else to do: CPU time and memory.
    size_t heapPeak = heapInUse(), residentPeak = residentBytes();
    double cpuBefore = cpuSeconds();
    auto start = Clock::now();
    FSOUND_SetPaused(channel, 0);
    while (secondsSince(start) < 3.0) {
        heapPeak = std::max(heapPeak, heapInUse());
        residentPeak = std::max(residentPeak, residentBytes());
        sleepMs(10);
    }
    double cpu = (cpuSeconds() - cpuBefore) / secondsSince(start);

    // Pause and unpause, ten times.
    std::vector<double> toSilence, toSound;
    for (int i = 0; i < 10; ++i) {
        size_t at = capturedSamples(capture);
        auto paused = Clock::now();
        FSOUND_SetPaused(channel, 1);
        toSilence.push_back(arrivalOf(capture, at, false, paused) * 1000.0);
        sleepMs(200);
        at = capturedSamples(capture);
        auto unpaused = Clock::now();
        FSOUND_SetPaused(channel, 0);
        toSound.push_back(arrivalOf(capture, at, true, unpaused) * 1000.0);
        sleepMs(150);
    }

    // Both cores kept busy by threads that never sleep.
    std::atomic<bool> busy{true};
    std::vector<std::thread> hogs;
    for (int i = 0; i < 2; ++i)
        hogs.emplace_back([&busy] {
            volatile unsigned long spin = 0;
            while (busy)
                spin = spin + 1;
        });
    sleepMs(100);
    size_t from = capturedSamples(capture);
    sleepMs(5000);
    size_t to = capturedSamples(capture);
    busy = false;
    for (std::thread& t : hogs)
        t.join();
    int dropouts = dropoutsIn(capture, from, to);

    FSOUND_Stream_Close(stream);
    std::printf("%s: while playing, %.2f%% of one core for the whole process\n", name,
                100.0 * cpu);
    std::printf("%s: unpause to the first loud buffer: median %.1f ms, worst %.1f ms; pause to "
                "the first silent buffer: median %.1f ms, worst %.1f ms (10 each)\n",
                name, median(toSound), *std::max_element(toSound.begin(), toSound.end()),
                median(toSilence), *std::max_element(toSilence.begin(), toSilence.end()));
    std::printf("%s: with both cores busy: %d dropouts of 2 ms or more in %.1f s of sound\n",
                name, dropouts, double(to - from) / rate);
    std::printf("%s: while playing, heap in use %.0f KiB and resident memory %.0f KiB above "
                "the start (tune of %zu KiB held by the caller)\n",
                name, double(heapPeak - heapBefore) / 1024.0,
                double(residentPeak - residentBefore) / 1024.0, mp3.size() / 1024);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: linuxsoundbench file.mp3...\n");
        return 2;
    }
    std::vector<std::vector<uint8_t>> tunes;
    for (int i = 1; i < argc; ++i) {
        tunes.push_back(readFile(argv[i]));
        if (tunes.back().empty()) {
            std::fprintf(stderr, "linuxsoundbench: cannot read %s\n", argv[i]);
            return 1;
        }
    }
    for (int i = 1; i < argc; ++i)
        benchDecoding(tunes[size_t(i - 1)], argv[i]);

    std::string fifo = "/tmp/linuxsoundbench-" + std::to_string(getpid()) + ".raw";
    if (mkfifo(fifo.c_str(), 0600) != 0) {
        std::fprintf(stderr, "linuxsoundbench: cannot make %s\n", fifo.c_str());
        return 1;
    }
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", fifo.c_str(), 1);
    Capture capture;
    // Room for everything the runs will capture, so that the capture itself
    // does not count as heap the library takes while playing.
    capture.left.reserve(size_t(rate) * 60 * (size_t(argc) - 1));
    capture.arrivals.reserve(size_t(rate) * 60 * (size_t(argc) - 1) / 256);
    std::thread reader(readCapture, fifo, &capture);
    bool initialised = FSOUND_Init(44100, 32, 0);
    if (!initialised) {
        std::fprintf(stderr, "linuxsoundbench: no sound device (%d)\n", FSOUND_GetError());
        // Let the reader go.
        int fd = open(fifo.c_str(), O_WRONLY);
        if (fd >= 0)
            close(fd);
    } else {
        for (int i = 1; i < argc; ++i)
            benchPlaying(tunes[size_t(i - 1)], argv[i], &capture);
        FSOUND_Close();
        printPace(&capture);
    }
    reader.join();
    unlink(fifo.c_str());
    return initialised ? 0 : 1;
}
