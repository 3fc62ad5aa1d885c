// Helpers for the window framework's tests under Wine: watching the message
// boxes and dialogs that the code under test shows on the main thread, from a
// second thread that reads them as a user would and answers them.
#ifndef SNOWGIG_WINDOWTESTHELPERS_H
#define SNOWGIG_WINDOWTESTHELPERS_H

#include <windows.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

// Every "Error" message box seen while the watch runs: its text, then it is
// closed with its OK button.
struct MessageBoxWatch {
    std::thread thread;
    std::atomic<bool> stop{false};
    std::atomic<size_t> seen{0};       // the vectors below are read only after finishing
    std::vector<std::string> texts;
    std::vector<std::string> buttons;  // the button texts of each box, joined by '|'
    std::vector<bool> owned;           // whether each box had an owner window
};

void startMessageBoxWatch(MessageBoxWatch& watch, DWORD timeoutMs = 20000);
// Ends the watch once `expected` boxes were seen (or its time ran out).
void finishMessageBoxWatch(MessageBoxWatch& watch, size_t expected);

// Polls until a visible top-level window with this title exists; null after the timeout.
HWND waitForWindow(const char* className, const char* title, DWORD timeoutMs);
// Polls until `window` is gone or the timeout passes; true when gone.
bool waitUntilGone(HWND window, DWORD timeoutMs);

// The text of a window of this process that may belong to another thread.
std::string windowText(HWND window);
std::string className(HWND window);

// Handles the calling thread's messages for the given time.
void pumpMessages(DWORD milliseconds);
// Removes every waiting message of the calling thread, a quit message included.
void drainMessages();

#endif
