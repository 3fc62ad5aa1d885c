// Whole files as bytes, for tests and benchmarks, and the path under which a
// program running in Wine sees a Unix file.
#ifndef SNOWGIG_TEST_FILEBYTES_H
#define SNOWGIG_TEST_FILEBYTES_H

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

inline std::string windowsPath(const std::string& unixPath)
{
    return !unixPath.empty() && unixPath[0] == '/' ? "Z:" + unixPath : unixPath;
}

// Empty when the file cannot be read.
inline std::vector<uint8_t> readFile(const std::string& path)
{
    std::vector<uint8_t> bytes;
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return bytes;
    uint8_t buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
        bytes.insert(bytes.end(), buffer, buffer + n);
    std::fclose(f);
    return bytes;
}

#endif
