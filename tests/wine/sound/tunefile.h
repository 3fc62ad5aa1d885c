// Test tunes and captured sound as files, read from the Unix side of Wine's
// file system.
#ifndef SNOWGIG_TEST_TUNEFILE_H
#define SNOWGIG_TEST_TUNEFILE_H

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

inline std::string windowsPath(const std::string& unixPath)
{
    return !unixPath.empty() && unixPath[0] == '/' ? "Z:" + unixPath : unixPath;
}

inline std::vector<uint8_t> readFile(const std::string& path)
{
    std::vector<uint8_t> bytes;
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return bytes;
    uint8_t buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
        bytes.insert(bytes.end(), buffer, buffer + n);
    std::fclose(f);
    return bytes;
}

inline std::vector<uint8_t> readTestTune(const char* name)
{
    return readFile(std::string(TEST_TUNE_DIR) + "/" + name);
}

#endif
