// Closing the window ends the whole process from inside the window procedure,
// so it is watched in a child program (window_closeprobe).
#include "windowtesthelpers.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

struct ProbeResult {
    DWORD exitCode;
    std::string marker;
};

static ProbeResult runProbe(const char* how)
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder = path;
    folder.resize(folder.find_last_of("\\/") + 1);
    std::string marker = folder + "closeprobe-" + how + ".txt";
    DeleteFileA(marker.c_str());

    std::string command = "\"" + folder + "window_closeprobe.exe\" \"" + marker + "\" " + how;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return {9999, "could not start " + command};
    ProbeResult result = {259, ""};
    if (WaitForSingleObject(process.hProcess, 40000) == WAIT_OBJECT_0)
        GetExitCodeProcess(process.hProcess, &result.exitCode);
    else
        TerminateProcess(process.hProcess, 124);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);

    FILE* file = fopen(marker.c_str(), "rb");
    if (file) {
        char text[256] = "";
        size_t length = fread(text, 1, sizeof text - 1, file);
        result.marker.assign(text, length);
        fclose(file);
    }
    return result;
}

TEST(CloseWindow, CloseRequestRunsShutdownOnceAndExitsWithZero)
{
    ProbeResult result = runProbe("close");
    EXPECT_EQ(result.exitCode, 0u);
    EXPECT_EQ(result.marker, "shutdown\n");
}

TEST(CloseWindow, AltF4ArrivesAsACloseRequest)
{
    ProbeResult posted = runProbe("altf4");
    EXPECT_EQ(posted.exitCode, 0u);
    EXPECT_EQ(posted.marker, "shutdown\n");

    ProbeResult typed = runProbe("keys");
    EXPECT_EQ(typed.exitCode, 0u);
    EXPECT_EQ(typed.marker, "shutdown\n");
}
