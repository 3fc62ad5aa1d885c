// A fresh temporary directory for one test, removed with everything in it.
#ifndef SNOWGIG_TEST_SCRATCHDIR_H
#define SNOWGIG_TEST_SCRATCHDIR_H

#include <string>
#include <vector>

struct ScratchDir {
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    std::string path(const std::string& name) const;
    std::string write(const std::string& name, const std::vector<unsigned char>& bytes) const;
    std::string write(const std::string& name, const std::string& text) const;

    std::string root;
};

std::vector<unsigned char> readBytes(const std::string& path);
bool fileExists(const std::string& path);

#endif
