// Reads snowgig.exe's resources back as Windows reads them: the manifest that
// makes it DPI-aware and themed, the icon Explorer and the taskbar show, and
// the version Properties shows.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <fstream>
#include <set>
#include <string>

#include "../../../resources/resource.h"

namespace {

struct Program {
    HMODULE module = LoadLibraryExA(SNOWGIG_EXE, nullptr,
                                    LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ~Program()
    {
        if (module)
            FreeLibrary(module);
    }
    std::string resource(LPCSTR type, int id) const
    {
        HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), type);
        if (!found)
            return "";
        const char* data = static_cast<const char*>(LockResource(LoadResource(module, found)));
        return std::string(data, SizeofResource(module, found));
    }
};

std::string versionString(const char* name)
{
    DWORD unused = 0;
    DWORD size = GetFileVersionInfoSizeA(SNOWGIG_EXE, &unused);
    std::string block(size, '\0');
    if (size == 0 || !GetFileVersionInfoA(SNOWGIG_EXE, 0, size, &block[0]))
        return "<no version resource>";
    char* value = nullptr;
    UINT length = 0;
    std::string path = std::string("\\StringFileInfo\\040904B0\\") + name;
    if (!VerQueryValueA(block.data(), path.c_str(), reinterpret_cast<void**>(&value), &length) ||
        length == 0)
        return "<no " + std::string(name) + ">";
    return std::string(value);
}

}  // namespace

TEST(ProgramResources, ManifestDeclaresDpiAwarenessCommonControlsAndTheSystems)
{
    Program program;
    ASSERT_NE(nullptr, program.module) << SNOWGIG_EXE;
    std::string manifest = program.resource(reinterpret_cast<LPCSTR>(RT_MANIFEST), 1);
    ASSERT_FALSE(manifest.empty()) << "no manifest";
    const char* const entries[] = {
        // Per-monitor v2, per-monitor where v2 is unknown, system-aware before.
        ">PerMonitorV2, PerMonitor</dpiAwareness>",
        ">true/pm</dpiAware>",
        "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"",
        "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",  // Windows 7
        "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",  // 8
        "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",  // 8.1
        "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",  // 10 and 11
        "level=\"asInvoker\"",
    };
    for (const char* entry : entries)
        EXPECT_NE(std::string::npos, manifest.find(entry)) << entry;
}

TEST(ProgramResources, IconGroupHoldsEverySizeFrom16To256)
{
    if (!SNOWGIG_HAS_ICON)
        GTEST_SKIP() << "built without SNOWGIG_ICON";
    Program program;
    ASSERT_NE(nullptr, program.module) << SNOWGIG_EXE;
    std::string group = program.resource(reinterpret_cast<LPCSTR>(RT_GROUP_ICON), IDI_SNOWGIG);
    ASSERT_GE(group.size(), 6u) << "no icon group";
    WORD type = 0, count = 0;
    std::memcpy(&type, &group[2], 2);
    std::memcpy(&count, &group[4], 2);
    EXPECT_EQ(1, type);
    ASSERT_EQ(6u + 14u * count, group.size());
    std::set<int> sizes;
    for (WORD i = 0; i < count; ++i) {
        const unsigned char* entry = reinterpret_cast<const unsigned char*>(&group[6 + 14 * i]);
        int width = entry[0] ? entry[0] : 256;
        int height = entry[1] ? entry[1] : 256;
        EXPECT_EQ(width, height);
        sizes.insert(width);
        WORD id = 0;
        std::memcpy(&id, entry + 12, 2);
        EXPECT_FALSE(program.resource(reinterpret_cast<LPCSTR>(RT_ICON), id).empty()) << id;
    }
    EXPECT_EQ((std::set<int>{16, 24, 32, 48, 64, 128, 256}), sizes);
}

TEST(ProgramResources, VersionNamesTheProductAndCarriesTheCopyrightLineOfTheText)
{
    std::ifstream text(SNOWGIG_TEXT);
    std::string line, copyright;
    while (std::getline(text, line))
        if (line.rfind("Copyright ", 0) == 0)
            copyright = line;
    ASSERT_FALSE(copyright.empty()) << "no copyright line in " << SNOWGIG_TEXT;
    const char* const wanted[][2] = {
        {"ProductName", "snowgig"},
        {"FileDescription", "snowgig, a Christmas demo"},
        {"OriginalFilename", "snowgig.exe"},
        {"LegalCopyright", copyright.c_str()},
    };
    for (const auto& pair : wanted)
        EXPECT_EQ(pair[1], versionString(pair[0])) << pair[0];
    std::string version = versionString("ProductVersion");
    EXPECT_EQ(version, versionString("FileVersion"));
    EXPECT_NE(std::string::npos, version.find('.')) << version;
}
