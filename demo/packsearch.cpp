#include "packsearch.h"

#include <cstdio>

namespace {

bool readable(const std::string& path)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return false;
    std::fclose(file);
    return true;
}

// Both separators end a folder name: Windows takes either.
std::string inFolder(const char* folder, const char* fileName)
{
    std::string path(folder);
    if (path.back() != '/' && path.back() != '\\')
        path += '/';
    return path + fileName;
}

}  // namespace

std::string findPack(const char* fileName, const char* programFolder,
                     const char* installedFolder)
{
    if (readable(fileName))
        return fileName;
    for (const char* folder : {programFolder, installedFolder}) {
        if (!folder || !*folder)
            continue;
        std::string path = inFolder(folder, fileName);
        if (readable(path))
            return path;
    }
    return fileName;
}
