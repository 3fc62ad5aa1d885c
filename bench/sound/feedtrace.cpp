// Plays an MP3 file through the library's output for a while and records,
// for every hand-over to the device, when it happened, how many frames went
// and how many the device held just before. Optionally holds up one thread of
// the process at a time (each in turn) to see which ones the sound survives.
// Prints which output ran and the process's CPU time per second of playing.
//   feedtrace file.mp3 seconds trace.csv [holdMs everySeconds]
#include <windows.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "../../tests/support/filebytes.h"
#include "outputtrace.h"
#include "soundplatform.h"

namespace {

struct Event {
    double at;
    unsigned handed;
    unsigned queued;
};

const size_t maxEvents = 1 << 20;
Event* events;
volatile LONG eventCount;
LARGE_INTEGER frequency, origin;

double now()
{
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return double(counter.QuadPart - origin.QuadPart) / double(frequency.QuadPart);
}

void record(unsigned handed, unsigned queued)
{
    LONG i = InterlockedIncrement(&eventCount) - 1;
    if (size_t(i) < maxEvents)
        events[i] = Event{now(), handed, queued};
}

double cpuSeconds()
{
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    ULARGE_INTEGER k, u;
    k.LowPart = kernel.dwLowDateTime;
    k.HighPart = kernel.dwHighDateTime;
    u.LowPart = user.dwLowDateTime;
    u.HighPart = user.dwHighDateTime;
    return double(k.QuadPart + u.QuadPart) / 1e7;
}

std::vector<DWORD> otherThreads()
{
    std::vector<DWORD> ids;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return ids;
    THREADENTRY32 entry;
    entry.dwSize = sizeof entry;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
        if (entry.th32OwnerProcessID == GetCurrentProcessId() &&
            entry.th32ThreadID != GetCurrentThreadId())
            ids.push_back(entry.th32ThreadID);
    }
    CloseHandle(snapshot);
    return ids;
}

typedef HRESULT(WINAPI* GetThreadDescriptionCall)(HANDLE, PWSTR*);

// The name a thread gave itself, or its id.
std::string threadName(DWORD id)
{
    char name[64];
    std::snprintf(name, sizeof name, "id %lu", id);
    GetThreadDescriptionCall describe = reinterpret_cast<GetThreadDescriptionCall>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetThreadDescription")));
    HANDLE thread = OpenThread(THREAD_QUERY_LIMITED_INFORMATION, FALSE, id);
    PWSTR text = nullptr;
    if (describe && thread && SUCCEEDED(describe(thread, &text)) && text && text[0]) {
        size_t n = std::strlen(name);
        std::snprintf(name + n, sizeof name - n, " ");
        n = std::strlen(name);
        for (size_t i = 0; text[i] && n + 1 < sizeof name; ++i)
            name[n++] = text[i] < 128 ? char(text[i]) : '?';
        name[n] = 0;
    }
    if (text)
        LocalFree(text);
    if (thread)
        CloseHandle(thread);
    return name;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: feedtrace file.mp3 seconds trace.csv [holdMs everySeconds]\n");
        return 2;
    }
    double seconds = std::atof(argv[2]);
    int holdMs = argc > 5 ? std::atoi(argv[4]) : 0;
    double every = argc > 5 ? std::atof(argv[5]) : 0;
    std::vector<uint8_t> tune = readFile(argv[1]);
    Mp3Layout layout;
    if (tune.empty() || !scanMp3Layout(tune.data(), tune.size(), &layout)) {
        std::fprintf(stderr, "feedtrace: cannot read %s\n", argv[1]);
        return 1;
    }
    events = static_cast<Event*>(std::calloc(maxEvents, sizeof(Event)));
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&origin);
    // The trace's time 0 on the wall clock, to line it up with a recording.
    FILETIME wall;
    GetSystemTimePreciseAsFileTime(&wall);
    ULARGE_INTEGER w;
    w.LowPart = wall.dwLowDateTime;
    w.HighPart = wall.dwHighDateTime;
    std::printf("feedtrace: time 0 is %.6f on the Unix clock\n",
                double(w.QuadPart - 116444736000000000ULL) / 1e7);

    StreamDecoder* decoder = nullptr;
    PcmSource source;
    if (openStreamDecoder(&decoder, &source, tune.data(), layout, true) != STREAM_DECODER_OK ||
        !openSoundOutput(int(layout.format.sampleRate))) {
        std::fprintf(stderr, "feedtrace: no decoder or no output\n");
        return 1;
    }
    std::printf("feedtrace: output %s\n", soundOutputName());
    outputTrace = record;
    startSoundOutput(&source, true);
    Sleep(500);
    // The threads there are while playing, the output's own among them.
    pauseSoundOutput(false);
    Sleep(200);
    std::vector<DWORD> threads = otherThreads();
    double start = now();
    double cpuStart = cpuSeconds();
    std::printf("feedtrace: playing from %.3f s, %zu other threads\n", start, threads.size());
    size_t next = 0;
    double nextHold = start + every;
    while (now() - start < seconds) {
        if (holdMs > 0 && now() >= nextHold && next < threads.size()) {
            HANDLE thread = OpenThread(THREAD_SUSPEND_RESUME, FALSE, threads[next]);
            if (thread && SuspendThread(thread) != DWORD(-1)) {
                double from = now();
                Sleep(DWORD(holdMs));
                ResumeThread(thread);
                std::printf("feedtrace: held thread %zu (%s) from %.3f s for %.0f ms\n", next,
                            threadName(threads[next]).c_str(), from, (now() - from) * 1000.0);
            }
            if (thread)
                CloseHandle(thread);
            ++next;
            nextHold += every;
        }
        Sleep(10);
    }
    double played = now() - start;
    double cpu = cpuSeconds() - cpuStart;
    outputTrace = nullptr;
    closeSoundOutput();
    closeStreamDecoder(decoder, &source);
    std::printf("feedtrace: %.1f s played, process CPU %.3f s: %.1f%% of one core\n", played, cpu,
                100.0 * cpu / played);

    FILE* f = std::fopen(argv[3], "w");
    if (!f)
        return 1;
    std::fprintf(f, "seconds,handed,queued\n");
    LONG n = eventCount < LONG(maxEvents) ? eventCount : LONG(maxEvents);
    for (LONG i = 0; i < n; ++i)
        std::fprintf(f, "%.6f,%u,%u\n", events[i].at, events[i].handed, events[i].queued);
    std::fclose(f);
    return 0;
}
