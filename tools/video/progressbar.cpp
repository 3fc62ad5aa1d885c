#include "progressbar.h"

#include <chrono>
#include <cstdio>

#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

long total = 0;
Clock::time_point started;
Clock::time_point lastShown;
bool onTerminal = false;
int lastTenth = -1;

double secondsSince(Clock::time_point from)
{
    return std::chrono::duration<double>(Clock::now() - from).count();
}

void printLine(long done, bool final)
{
    const double elapsed = secondsSince(started);
    const double fps = elapsed > 0 ? double(done) / elapsed : 0;
    const long left = fps > 0 ? long(double(total - done) / fps + 0.5) : 0;
    const int width = 30;
    const int filled = total > 0 ? int(double(width) * double(done) / double(total)) : width;
    char bar[width + 1];
    for (int k = 0; k < width; ++k)
        bar[k] = k < filled ? '#' : '-';
    bar[width] = '\0';
    std::fprintf(stderr, "%s[%s] %ld/%ld frames  %.1f fps  %ld:%02ld left%s",
                 onTerminal ? "\r" : "", bar, done, total, fps, left / 60, left % 60,
                 onTerminal && !final ? "  " : "\n");
    std::fflush(stderr);
}

}  // namespace

void startProgress(long totalFrames)
{
    total = totalFrames;
    started = lastShown = Clock::now();
    onTerminal = isatty(2) != 0;
    lastTenth = -1;
}

void showProgress(long done)
{
    if (onTerminal) {
        if (secondsSince(lastShown) < 0.2)
            return;
        lastShown = Clock::now();
        printLine(done, false);
        return;
    }
    const int tenth = total > 0 ? int(10 * done / total) : 10;
    if (tenth != lastTenth) {
        lastTenth = tenth;
        printLine(done, false);
    }
}

double endProgress(long done)
{
    if (onTerminal)
        printLine(done, true);
    const double elapsed = secondsSince(started);
    return elapsed > 0 ? double(done) / elapsed : 0;
}
