// The pack reader: lookup, reading and seeking, release counting and the
// refusal of damaged packs; where the pack file itself is looked for.
#include "assetstest.h"
#include "pack.h"
#include "packsearch.h"
#include "programfolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <unistd.h>

namespace {

// Data starts after 4 + 3 * 40 bytes: santa.tga at 124, the tune at 129, sun.tga at 139.
const std::vector<PackItem> threeFiles = {
    {"santa.tga", bytesOf("SANTA")}, {"gimme_64k.mp3", bytesOf("0123456789")}, {"sun.tga", bytesOf("sun")}};

class Pack : public ::testing::Test {
protected:
    void TearDown() override  // every test leaves no archive open
    {
        EXPECT_FALSE(packArchiveOpen());
        EXPECT_EQ(packOpenStreamCount(), 0);
    }
    std::string writePack(const std::vector<PackItem>& items, const std::string& name = "test.dat")
    {
        return dir.write(name, packBytes(items));
    }
    ScratchDir dir;
};

std::string readString(PackStream* stream, int32_t count)
{
    std::string text(size_t(count), '#');
    packRead(&text[0], 1, count, stream);
    return text;
}

std::string openAndRead(const char* path, int32_t count)
{
    PackStream* stream = packOpen(path, "rb");
    if (!stream)
        return "(none)";
    std::string text = readString(stream, count);
    packClose(stream);
    return text;
}

} // namespace

TEST_F(Pack, LooksUpBaseNamesWithAsciiCaseFoldingFirstMatchWinning)
{
    {
        PackFile pack(writePack(threeFiles).c_str());
        for (const char* path : {"data/santa.tga", "santa.tga", "Santa.Tga", "dir\\SANTA.TGA", "a\\b/santa.tga"})
            EXPECT_EQ(openAndRead(path, 5), "SANTA") << path;
        for (const char* path : {"santa.tg", "santa.tgaa", "data/santa.tga/", "data/", "", "sun.tga "})
            EXPECT_EQ(packOpen(path, "rb"), nullptr) << path;
        EXPECT_EQ(packOpen(nullptr, "rb"), nullptr);
        EXPECT_EQ(packOpenStreamCount(), 0);
    }
    // Only 'A'-'Z' fold ('[' and '{' differ by the same bit as 'A' and 'a');
    // a path ending in a separator opens only an empty name.
    PackFile pack(writePack({{"a{b", bytesOf("1")}, {"\xC9t", bytesOf("2")}, {"Santa.tga", bytesOf("first")},
                             {"santa.TGA", bytesOf("later")}, {"", bytesOf("empty")}}).c_str());
    EXPECT_EQ(packOpen("A[B", "rb"), nullptr);
    EXPECT_EQ(packOpen("\xE9t", "rb"), nullptr);
    EXPECT_EQ(openAndRead("\xC9T", 1), "2");
    EXPECT_EQ(openAndRead("SANTA.tga", 5), "first");
    EXPECT_EQ(openAndRead("data\\", 5), "empty");
    EXPECT_EQ(openAndRead("", 5), "empty");
}

TEST_F(Pack, EmptyDirectoryOpensNothing)
{
    PackFile pack(writePack({}).c_str());
    EXPECT_TRUE(packArchiveOpen());
    EXPECT_EQ(packOpen("", "rb"), nullptr);
    EXPECT_EQ(packOpenStreamCount(), 0);
}

// A read that asks for more than is left gets the rest of this entry only,
// never the bytes of the next one.
TEST_F(Pack, ReadsStopAtTheEndOfTheEntry)
{
    PackFile pack(writePack(threeFiles).c_str());
    PackStream* stream = packOpen("gimme_64k.mp3", "rb");
    char buffer[16];
    EXPECT_EQ(packRead(buffer, 2, 2, stream), 2);
    EXPECT_EQ(std::string(buffer, 4), "0123");
    EXPECT_EQ(stream->position, 4);
    std::fill(buffer, buffer + 16, '#');
    EXPECT_EQ(packRead(buffer, 4, 4, stream), 1);
    EXPECT_EQ(std::string(buffer, 16), "456789##########");
    EXPECT_EQ(stream->position, 10);
    EXPECT_EQ(packRead(buffer, 1, 1, stream), 0);
    EXPECT_EQ(buffer[0], '4');
    packClose(stream);
}

TEST_F(Pack, RefusesNonsenseReadArguments)
{
    PackFile pack(writePack(threeFiles).c_str());
    PackStream* stream = packOpen("santa.tga", "rb");
    char buffer[8] = "-------";
    EXPECT_EQ(packRead(buffer, 1, 5, nullptr), 0);
    EXPECT_EQ(packRead(nullptr, 1, 5, stream), 0);
    EXPECT_EQ(packRead(buffer, -1, 5, stream), 0);
    EXPECT_EQ(packRead(buffer, 5, -1, stream), 0);
    EXPECT_EQ(packRead(buffer, 0, 5, stream), 0);
    EXPECT_EQ(std::string(buffer), "-------");
    // size x count overflows 32 bits; only the entry's five bytes are written.
    EXPECT_EQ(packRead(buffer, 0x10000, 0x10000, stream), 0);
    EXPECT_EQ(std::string(buffer), "SANTA--");
    EXPECT_EQ(packSeek(nullptr, 0, SEEK_SET), 0);
    packClose(stream);
}

TEST_F(Pack, SeeksWithinTheEntryOnly)
{
    PackFile pack(writePack(threeFiles).c_str());
    PackStream* stream = packOpen("gimme_64k.mp3", "rb");
    EXPECT_EQ(readString(stream, 3), "012");
    EXPECT_EQ(packSeek(stream, 2, SEEK_CUR), 1);
    EXPECT_EQ(readString(stream, 2), "56");
    EXPECT_EQ(packSeek(stream, -7, SEEK_CUR), 1);  // back to the first byte
    EXPECT_EQ(stream->position, 0);
    EXPECT_EQ(readString(stream, 3), "012");
    // SEEK_SET and SEEK_END count from the archive file's start and end.
    EXPECT_EQ(packSeek(stream, 132, SEEK_SET), 1);
    EXPECT_EQ(readString(stream, 2), "34");
    EXPECT_EQ(packSeek(stream, -5, SEEK_END), 1);
    EXPECT_EQ(readString(stream, 2), "89");
    EXPECT_EQ(packSeek(stream, -10, SEEK_CUR), 1);
    EXPECT_EQ(stream->position, 0);
    // Targets outside the entry, and unknown origins, leave the position alone.
    for (auto [offset, origin] : {std::pair{-1L, SEEK_CUR}, {11L, SEEK_CUR}, {0L, SEEK_SET}, {0L, SEEK_END}, {0L, 99}})
        EXPECT_EQ(packSeek(stream, offset, origin), 0) << offset << " from " << origin;
    EXPECT_EQ(stream->position, 0);
    EXPECT_EQ(packSeek(stream, 10, SEEK_CUR), 1);  // exactly the end
    packClose(stream);
}

TEST_F(Pack, InterleavedStreamsEachReadTheirOwnEntry)
{
    PackFile pack(writePack(threeFiles).c_str());
    PackStream* tune = packOpen("gimme_64k.mp3", "rb");
    PackStream* santa = packOpen("santa.tga", "rb");
    EXPECT_EQ(readString(tune, 2), "01");
    EXPECT_EQ(readString(santa, 2), "SA");
    EXPECT_EQ(readString(tune, 2), "23");
    EXPECT_EQ(packSeek(santa, 1, SEEK_CUR), 1);
    EXPECT_EQ(readString(santa, 2), "TA");
    EXPECT_EQ(readString(tune, 2), "45");
    packClose(tune);
    packClose(santa);
}

TEST_F(Pack, ArchiveClosesOnTheReleaseAfterTheLastStream)
{
    PackFile* pack = new PackFile(writePack(threeFiles).c_str());
    PackStream* first = packOpen("santa.tga", "rb");
    PackStream* second = packOpen("sun.tga", "rb");
    EXPECT_EQ(packOpen("missing", "rb"), nullptr);
    EXPECT_EQ(packOpenStreamCount(), 2);
    delete pack;
    EXPECT_EQ(packOpenStreamCount(), 1);
    EXPECT_EQ(readString(second, 3), "sun");
    packClose(first);
    EXPECT_EQ(first, nullptr);
    EXPECT_TRUE(packArchiveOpen());
    packClose(second);
    EXPECT_FALSE(packArchiveOpen());
    packClose(second);  // a null reference does nothing

    // Once closed, the next PackFile opens a pack again.
    PackFile again(writePack({{"other.tga", bytesOf("o")}}, "other.dat").c_str());
    EXPECT_EQ(openAndRead("other.tga", 1), "o");
}

TEST_F(Pack, SecondPackFileChangesNothingAndCountsAsARelease)
{
    PackFile* first = new PackFile(writePack(threeFiles).c_str());
    PackFile* second = new PackFile(writePack({{"other.tga", bytesOf("o")}}, "other.dat").c_str());
    PackStream* stream = packOpen("santa.tga", "rb");
    EXPECT_EQ(packOpen("other.tga", "rb"), nullptr);
    delete second;
    EXPECT_EQ(packOpenStreamCount(), 0);
    delete first;
    EXPECT_FALSE(packArchiveOpen());
    // The stream outlived its archive: it reads nothing rather than a freed directory.
    char buffer[4] = "---";
    EXPECT_EQ(packRead(buffer, 1, 3, stream), 0);
    EXPECT_EQ(packSeek(stream, 1, SEEK_CUR), 0);
    EXPECT_EQ(std::string(buffer), "---");
    packClose(stream);
}

// A stream left over from an earlier opening of the archive is stale: it reads
// nothing of the next archive, and its close is no release of that archive,
// also when the new directory of the same size lies at the old address.
TEST_F(Pack, StaleStreamTouchesNothingOfTheArchiveOpenedAfterIt)
{
    const std::vector<PackItem> newer = {
        {"santa.tga", bytesOf("NEWER")}, {"gimme_64k.mp3", bytesOf("9876543210")}, {"sun.tga", bytesOf("nus")}};
    for (bool atTheOldAddress : {false, true}) {
        SCOPED_TRACE(atTheOldAddress ? "new directory at the old address" : "old directory gone");
        PackFile* first = new PackFile(writePack(threeFiles).c_str());
        PackFile* second = new PackFile(writePack(threeFiles).c_str());
        PackStream* stale = packOpen("santa.tga", "rb");
        delete first;
        delete second;  // the release that closes the archive under the open stream
        ASSERT_FALSE(packArchiveOpen());

        PackFile* pack = new PackFile(writePack(newer, "newer.dat").c_str());
        PackStream* fresh = packOpen("santa.tga", "rb");
        ASSERT_NE(fresh, nullptr);
        if (atTheOldAddress)
            stale->entry = fresh->entry;
        char buffer[6] = "-----";
        EXPECT_EQ(packRead(buffer, 1, 5, stale), 0);
        EXPECT_EQ(std::string(buffer), "-----");
        EXPECT_EQ(packSeek(stale, 1, SEEK_CUR), 0);
        packClose(stale);
        EXPECT_EQ(stale, nullptr);
        EXPECT_EQ(packOpenStreamCount(), 1) << "the stale close released the new archive";
        EXPECT_EQ(readString(fresh, 5), "NEWER");
        packClose(fresh);
        EXPECT_TRUE(packArchiveOpen());
        delete pack;
        EXPECT_FALSE(packArchiveOpen());
    }
}

// A damaged pack is refused as a whole: no archive is open and every lookup
// fails; a good pack can be opened afterwards.
TEST_F(Pack, RefusesMissingAndDamagedPacks)
{
    const Bytes good = packBytes(threeFiles);
    const uint32_t fileSize = uint32_t(good.size());
    auto damaged = [&](std::function<void(Bytes&)> damage) {
        Bytes bytes = good;
        damage(bytes);
        return bytes;
    };
    auto record = [&](uint32_t offset, uint32_t size) {
        return damaged([=](Bytes& b) { putLittleEndian32(b, 4 + 80 + 32, offset); putLittleEndian32(b, 4 + 80 + 36, size); });
    };
    const std::vector<std::pair<const char*, Bytes>> cases = {
        {"empty file", {}},
        {"count cut short", {1, 0, 0}},
        {"count -1", damaged([](Bytes& b) { putLittleEndian32(b, 0, 0xFFFFFFFFu); })},
        {"count INT32_MIN", damaged([](Bytes& b) { putLittleEndian32(b, 0, 0x80000000u); })},
        {"count INT32_MAX", damaged([](Bytes& b) { putLittleEndian32(b, 0, 0x7FFFFFFFu); })},
        {"directory shorter than its count",
         damaged([](Bytes& b) { b.resize(4 + 3 * 40 + 2); putLittleEndian32(b, 0, 4); })},
        {"name without its NUL", damaged([](Bytes& b) { std::fill(&b[44], &b[44 + 32], 'x'); })},
        {"negative offset", record(0xFFFFFFFFu, 1)},
        {"negative size", record(124, 0xFFFFFFFFu)},
        {"offset past the end", record(fileSize + 1, 0)},
        {"size past the end", record(fileSize - 2, 3)},
        {"offset + size overflows", record(0x7FFFFFFFu, 0x7FFFFFFFu)},
    };
    for (const auto& [what, bytes] : cases) {
        {
            PackFile pack(dir.write("damaged.dat", bytes).c_str());
            EXPECT_FALSE(packArchiveOpen()) << what;
            EXPECT_EQ(packOpen("santa.tga", "rb"), nullptr) << what;
        }
        PackFile pack(writePack(threeFiles).c_str());
        EXPECT_TRUE(packArchiveOpen()) << what;
    }
    const std::string missing = dir.path("missing.dat");
    for (const char* path : {missing.c_str(), dir.root.c_str(), (const char*)nullptr}) {
        PackFile pack(path);  // missing, a directory (opens, cannot be read), no path
        EXPECT_FALSE(packArchiveOpen());
    }
    // At the edge, but inside: 31 name bytes and a NUL, an empty entry at the
    // very end, data overlapping the directory.
    Bytes edge = good;
    std::fill(&edge[44], &edge[44 + 31], 'x');
    putLittleEndian32(edge, 4 + 80 + 32, fileSize);
    putLittleEndian32(edge, 4 + 80 + 36, 0);
    putLittleEndian32(edge, 4 + 32, 0);
    putLittleEndian32(edge, 4 + 36, 4);
    PackFile pack(dir.write("edge.dat", edge).c_str());
    EXPECT_EQ(openAndRead(std::string(31, 'x').c_str(), 10), "0123456789");
    EXPECT_EQ(openAndRead("santa.tga", 4), std::string("\x03\0\0\0", 4));
    EXPECT_EQ(openAndRead("sun.tga", 1), "#");
}

// The working directory comes first, then the program's folder, then the
// installed data folder; a folder without the file, or none at all, is passed
// over, and with no pack anywhere the bare name is what fails to open.
TEST(PackSearch, WorkingDirectoryThenProgramFolderThenInstalledFolder)
{
    ScratchDir dir;
    // Where packs lie, by folder name under the scratch directory; "work" is
    // the working directory.
    const struct {
        std::vector<std::string> packsIn;
        const char* programFolder;    // under the scratch directory; "" and null pass as they are
        const char* installedFolder;  // likewise
        const char* found;            // "work" means the bare name
    } cases[] = {
        {{"work", "program", "installed"}, "program", "installed", "work"},
        {{"program", "installed"}, "program", "installed", "program"},
        {{"program"}, "program/", nullptr, "program"},
        {{"installed"}, "program", "installed", "installed"},
        {{"installed"}, "", "installed", "installed"},
        {{"installed"}, nullptr, "installed", "installed"},
        {{"program"}, "", "installed", "work"},
        {{}, "program", "installed", "work"},
        {{}, nullptr, nullptr, "work"},
    };
    auto argument = [&](const char* folder) {
        return folder && *folder ? dir.path(folder) : std::string(folder ? "" : "(null)");
    };
    char previous[4096];
    ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
    for (const auto& c : cases) {
        for (const char* folder : {"work", "program", "installed"}) {
            std::filesystem::remove_all(dir.path(folder));
            std::filesystem::create_directories(dir.path(folder));
        }
        for (const std::string& folder : c.packsIn)
            dir.write(folder + "/snowgig.dat", bytesOf(folder));
        std::string programArg = argument(c.programFolder), installedArg = argument(c.installedFolder);
        std::string what = programArg + ", " + installedArg;
        ASSERT_EQ(chdir(dir.path("work").c_str()), 0);
        std::string path = findPack("snowgig.dat", c.programFolder ? programArg.c_str() : nullptr,
                                    c.installedFolder ? installedArg.c_str() : nullptr);
        Bytes contents = readBytes(path);
        ASSERT_EQ(chdir(previous), 0);
        if (std::string(c.found) == "work") {
            EXPECT_EQ(path, "snowgig.dat") << what;
        } else {
            EXPECT_EQ(path, dir.path(c.found) + "/snowgig.dat") << what;
            EXPECT_EQ(contents, bytesOf(c.found)) << what;
        }
    }
}

// The program's folder is where the executable lies, wherever it was started.
TEST(PackSearch, ProgramFolderIsTheExecutablesFolder)
{
    ScratchDir dir;
    char previous[4096];
    ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
    ASSERT_EQ(chdir(dir.root.c_str()), 0);
    std::string folder = programFolder();
    ASSERT_EQ(chdir(previous), 0);
    EXPECT_EQ(folder, PACK_TEST_FOLDER);
}
