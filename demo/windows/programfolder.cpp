// The running program's folder from GetModuleFileNameW. The pack is opened
// through the C library's narrow calls, which read names in the ANSI code
// page; a folder whose name has characters outside it is given in its short
// (8.3) form, and left out when it has none. Windows programs keep their data
// beside themselves: there is no installed data folder.
#include "programfolder.h"

#include <windows.h>

#include <string>
#include <vector>

namespace {

// The wide name in the ANSI code page; false when a character has no place in it.
bool toAnsi(const std::wstring& wide, std::string& narrow)
{
    BOOL lossy = FALSE;
    int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.c_str(), -1, nullptr, 0,
                                   nullptr, &lossy);
    if (size <= 0 || lossy)
        return false;
    std::vector<char> text(static_cast<size_t>(size));
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.c_str(), -1, text.data(), size,
                        nullptr, &lossy);
    narrow.assign(text.data());
    return !lossy;
}

}  // namespace

std::string programFolder()
{
    std::vector<wchar_t> path(MAX_PATH);
    DWORD length = 0;
    for (;;) {
        length = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
        if (length == 0)
            return "";
        if (length < path.size())
            break;
        if (path.size() >= 32768)
            return "";
        path.resize(path.size() * 2);  // cut short: ask again with more room
    }
    std::wstring folder(path.data(), length);
    size_t separator = folder.find_last_of(L"\\/");
    if (separator == std::wstring::npos)
        return "";
    folder.resize(separator);

    std::string narrow;
    if (toAnsi(folder, narrow))
        return narrow;
    DWORD shortLength = GetShortPathNameW(folder.c_str(), nullptr, 0);
    if (shortLength == 0)
        return "";
    std::vector<wchar_t> shortPath(shortLength);
    if (GetShortPathNameW(folder.c_str(), shortPath.data(), shortLength) >= shortLength)
        return "";
    if (toAnsi(shortPath.data(), narrow))
        return narrow;
    return "";
}

const char* installedDataFolder()
{
    return nullptr;
}
