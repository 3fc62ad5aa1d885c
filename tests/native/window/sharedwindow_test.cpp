// GLWindow's shared part (main loop, frame timer, Setup dialog's choice) over
// a scripted window system: the clocks, the frames the system
// allows, the modes it offers and the boxes it shows are this file's.
#include "glwindow.h"
#include "messagebox.h"
#include "reporterror.h"
#include "windowsystem.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct System {
    uint64_t frequency = 0;
    std::vector<uint64_t> counters;  // what the counter reads, in turn
    std::vector<uint32_t> ticks;     // what the tick count reads, in turn
    int framesAllowed = 0;
    std::vector<ModeFields> offered;
    bool prepared = true;
    int answer = 0;  // 1: OK with entry `selected`, -1: Cancel
    int selected = 0;
    std::vector<std::string> events;
};
System sys;

template <typename T> T next(std::vector<T>& readings)
{
    T value = readings.front();
    if (readings.size() > 1)
        readings.erase(readings.begin());
    return value;
}

std::vector<double> updates;
void recordUpdate(double milliseconds) { updates.push_back(milliseconds); }
int shutdown()
{
    sys.events.push_back("shutdown");
    return 7;
}

GLWindow* makeWindow()
{
    sys.events.clear();
    updates.clear();
    return new GLWindow(nullptr, "test", 640, 480, 32, true);
}

}  // namespace

uint64_t performanceFrequency() { return sys.frequency; }
uint64_t performanceCounter() { return next(sys.counters); }
uint32_t tickCount() { return next(sys.ticks); }
bool waitForFrame(GLWindow*) { return sys.framesAllowed-- > 0; }
void presentFrame(GLWindow*) { sys.events.push_back("present"); }
void endWindowSystem(GLWindow*) {}
bool prepareSetupDialog(GLWindow*) { return sys.prepared; }
DisplayMode* readDisplayMode(int number)
{
    if (number >= static_cast<int>(sys.offered.size()))
        return nullptr;
    return new DisplayMode(sys.offered[static_cast<size_t>(number)]);
}
void freeDisplayMode(DisplayMode* mode) { delete mode; }
bool openSetupDialog(GLWindow* window)
{
    window->dialog = reinterpret_cast<DialogHandle>(1);
    return true;
}
bool waitForSetupChoice(GLWindow* window)
{
    if (sys.answer > 0)
        acceptSetupChoice(window, sys.selected, false);
    else
        cancelSetupChoice(window);
    return true;
}
void lockSetupDialog(GLWindow*) { sys.events.push_back("lock"); }
void showProgress(GLWindow*) { sys.events.push_back("progress"); }
void GLWindow::closeDialog()
{
    if (dialog)
        sys.events.push_back("closeDialog");
    dialog = nullptr;
}
bool GLWindow::createWindow() { return true; }
void GLWindow::show() {}
void GLWindow::closeWindow() { sys.events.push_back("closeWindow"); }

void showMessageBox(const char* text, const char* caption, bool)
{
    sys.events.push_back(std::string(caption) + ": " + text);
}
char* lastErrorText() { return strdup("system text\n"); }
char* windowErrorText() { return strdup("window text\n"); }

TEST(SharedWindow, FrameTimerGivesEachFrameItsElapsedMilliseconds)
{
    struct Case {
        const char* name;
        uint64_t frequency;
        std::vector<uint64_t> counters;
        std::vector<uint32_t> ticks;
        std::vector<double> expected;
        std::vector<std::string> boxes;
    };
    const Case cases[] = {
        {"counter at 1 kHz", 1000, {5000, 5016, 5050}, {0}, {16.0, 34.0}, {}},
        {"counter at 10 MHz", 10000000, {1, 160001}, {0}, {16.0}, {}},
        // Without a counter the tick count stands in; its wrap-around after
        // 49.7 days is one more step of the clock, not a jump backwards.
        {"tick count across its wrap", 0, {0}, {0xFFFFFFF0u, 0x00000010u, 0x00000020u},
         {32.0, 16.0},
         {"Error: QueryPerformanceFrequency failed.  Reverting to system timer.\nsystem text\n"}},
    };
    for (const Case& c : cases) {
        GLWindow* window = makeWindow();
        window->setUpdateCallback(recordUpdate);
        window->setShutdownCallback(shutdown);
        sys.frequency = c.frequency;
        sys.counters = c.counters;
        sys.ticks = c.ticks;
        sys.framesAllowed = static_cast<int>(c.expected.size());
        EXPECT_EQ(window->run(), 7) << c.name;
        ASSERT_EQ(updates.size(), c.expected.size()) << c.name;
        for (size_t i = 0; i < updates.size(); i++)
            EXPECT_NEAR(updates[i], c.expected[i], 1e-9) << c.name << " frame " << i;
        // Every frame is shown; the window is closed before the shutdown callback.
        std::vector<std::string> expected = c.boxes;
        expected.insert(expected.end(), c.expected.size(), "present");
        expected.push_back("closeWindow");
        expected.push_back("shutdown");
        EXPECT_EQ(sys.events, expected) << c.name;
        delete window;
    }
}

TEST(SharedWindow, SetupDialogTakesOnlyAListedModeAndCancelOnlyBeforeOk)
{
    const std::vector<ModeFields> offered = {
        {640, 480, 32, 60}, {800, 600, 32, 75}, {800, 600, 32, 60}, {320, 200, 8, 60}};
    struct Case {
        const char* name;
        bool prepared;
        std::vector<ModeFields> offered;
        int answer;
        int selected;
        bool accepted;
        uint32_t width;  // after the dialog (640: unchanged)
        std::vector<std::string> events;
    };
    const Case cases[] = {
        {"OK on the second entry", true, offered, 1, 1, true, 800, {"lock"}},
        {"OK with nothing selected", true, offered, 1, -1, false, 640,
         {"Error: Please select a resolution!", "closeDialog"}},
        {"OK past the list's end", true, offered, 1, 2, false, 640,
         {"Error: Please select a resolution!", "closeDialog"}},
        {"Cancel", true, offered, -1, 0, false, 640, {"closeDialog"}},
        {"no usable mode", true, {{320, 200, 8, 60}}, 1, 0, false, 640,
         {"Error: Couldn't find any display modes!"}},
        {"the dialog cannot start", false, offered, 1, 0, false, 640, {}},
    };
    for (const Case& c : cases) {
        GLWindow* window = makeWindow();
        sys.prepared = c.prepared;
        sys.offered = c.offered;
        sys.answer = c.answer;
        sys.selected = c.selected;
        EXPECT_EQ(window->showSelectDialog(), c.accepted) << c.name;
        EXPECT_EQ(sys.events, c.events) << c.name;
        EXPECT_EQ(window->width, c.width) << c.name;
        if (c.accepted) {
            // The first rate of each size is the one listed; OK took its record.
            EXPECT_EQ(window->modes.size(), 2u) << c.name;
            EXPECT_EQ(window->chosenMode, window->modes[1]) << c.name;
            EXPECT_EQ(window->chosenMode->refreshRate, 75u) << c.name;
            EXPECT_EQ(window->fullScreen, 0) << c.name;
            // Once loading has begun, Cancel and the close box are refused.
            cancelSetupChoice(window);
            EXPECT_EQ(window->dialogCancelled, 0) << c.name;
        }
        delete window;
    }
}
