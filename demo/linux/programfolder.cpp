// The running program's folder from /proc/self/exe; the installed data folder
// as the build set it (SNOWGIG_INSTALLED_DATA_DIR).
#include "programfolder.h"

#include <unistd.h>

#include <vector>

std::string programFolder()
{
    std::vector<char> path(4096);
    for (;;) {
        ssize_t length = readlink("/proc/self/exe", path.data(), path.size());
        if (length < 0)
            return "";
        if (size_t(length) < path.size()) {
            std::string program(path.data(), size_t(length));
            size_t slash = program.rfind('/');
            if (slash == std::string::npos)
                return "";
            return program.substr(0, slash == 0 ? 1 : slash);
        }
        if (path.size() >= (1u << 20))
            return "";
        path.resize(path.size() * 2);  // cut short: ask again with more room
    }
}

const char* installedDataFolder()
{
    return SNOWGIG_INSTALLED_DATA_DIR;
}
