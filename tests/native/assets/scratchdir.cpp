#include "scratchdir.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

ScratchDir::ScratchDir()
{
    char pattern[] = "/tmp/snowgig-test-XXXXXX";
    const char* made = mkdtemp(pattern);
    root = made ? made : "";
    if (!made)
        std::fprintf(stderr, "cannot create a temporary directory\n");
}

ScratchDir::~ScratchDir()
{
    std::error_code ignored;
    if (!root.empty())
        std::filesystem::remove_all(root, ignored);
}

std::string ScratchDir::path(const std::string& name) const
{
    return root + "/" + name;
}

std::string ScratchDir::write(const std::string& name, const std::vector<unsigned char>& bytes) const
{
    std::string full = path(name);
    std::filesystem::create_directories(std::filesystem::path(full).parent_path());
    FILE* file = std::fopen(full.c_str(), "wb");
    if (file) {
        if (!bytes.empty())
            std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }
    return full;
}

std::string ScratchDir::write(const std::string& name, const std::string& text) const
{
    return write(name, std::vector<unsigned char>(text.begin(), text.end()));
}

std::vector<unsigned char> readBytes(const std::string& path)
{
    std::vector<unsigned char> bytes;
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return bytes;
    int c;
    while ((c = std::fgetc(file)) != EOF)
        bytes.push_back((unsigned char)c);
    std::fclose(file);
    return bytes;
}

bool fileExists(const std::string& path)
{
    return std::filesystem::exists(path);
}
