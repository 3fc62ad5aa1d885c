#include "feederthread.h"

namespace {

const DWORD feederStopTimeoutMs = 10000;

typedef HRESULT(WINAPI* SetThreadDescriptionCall)(HANDLE, PCWSTR);

// Names the thread for debuggers and profilers where the system can: Windows
// 10 and later only, so looked up rather than linked.
void nameThread(HANDLE thread, const wchar_t* name)
{
    SetThreadDescriptionCall describe = reinterpret_cast<SetThreadDescriptionCall>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"),
                                               "SetThreadDescription")));
    if (describe)
        describe(thread, name);
}

}  // namespace

HANDLE startFeederThread(LPTHREAD_START_ROUTINE feed, void* parameter)
{
    HANDLE worker = CreateThread(nullptr, 0, feed, parameter, 0, nullptr);
    if (!worker)
        return nullptr;
    SetThreadPriority(worker, THREAD_PRIORITY_TIME_CRITICAL);
    nameThread(worker, L"snowgig_sound");
    return worker;
}

void stopFeederThread(HANDLE& worker, volatile LONG* stopping, HANDLE wake)
{
    if (!worker)
        return;
    InterlockedExchange(stopping, 1);
    SetEvent(wake);
    if (WaitForSingleObject(worker, feederStopTimeoutMs) != WAIT_OBJECT_0)
        TerminateThread(worker, 1);
    CloseHandle(worker);
    worker = nullptr;
}
