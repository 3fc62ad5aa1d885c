// Without a screen the program has no folder of its own to look in: its pack
// lies where the caller says (setHeadlessDataFolder).
#include "headlessdata.h"
#include "programfolder.h"

#include <cstdio>
#include <cstring>

namespace {

std::string dataFolder;

}  // namespace

void setHeadlessDataFolder(const std::string& folder)
{
    dataFolder = folder;
}

bool headlessPackFolder(const char* packPath, std::string& folder)
{
    const char* slash = std::strrchr(packPath, '/');
    const char* name = slash ? slash + 1 : packPath;
    if (std::strcmp(name, "snowgig.dat") != 0) {
        std::fprintf(stderr, "the pack must be named snowgig.dat, not %s\n", name);
        return false;
    }
    std::FILE* probe = std::fopen(packPath, "rb");
    if (!probe) {
        std::fprintf(stderr, "cannot open the pack %s\n", packPath);
        return false;
    }
    std::fclose(probe);
    folder = slash ? std::string(packPath, size_t(slash - packPath)) : std::string(".");
    if (folder.empty())
        folder = "/";
    return true;
}

std::string programFolder()
{
    return "";
}

const char* installedDataFolder()
{
    return dataFolder.empty() ? nullptr : dataFolder.c_str();
}
