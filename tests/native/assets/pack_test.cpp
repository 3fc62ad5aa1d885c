// The pack reader: lookup, reading and seeking, release counting and the
// refusal of damaged packs.
#include "pack.h"
#include "packbytes.h"
#include "scratchdir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

class Pack : public ::testing::Test {
protected:
    // Every test leaves the process with no archive open.
    void TearDown() override
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

std::string entryName(const PackStream* stream)
{
    return stream ? stream->entry->name : "(none)";
}

const std::vector<PackItem> threeFiles = {
    {"santa.tga", bytesOf("SANTA")},
    {"gimme_64k.mp3", bytesOf("0123456789")},
    {"sun.tga", bytesOf("sun")},
};

} // namespace

TEST_F(Pack, LooksUpTheBaseNameWithAsciiCaseFolding)
{
    PackFile pack(writePack(threeFiles).c_str());
    for (const char* path : {"data/santa.tga", "santa.tga", "Santa.Tga", "some/dir\\SANTA.TGA",
                             "a\\b/santa.tga"}) {
        PackStream* stream = packOpen(path, "rb");
        EXPECT_EQ(entryName(stream), "santa.tga") << path;
        EXPECT_EQ(readString(stream, 5), "SANTA") << path;
        packClose(stream);
    }
    // Only 'A'-'Z' fold: '[' and '{' differ by the same bit as 'A' and 'a'.
    for (const char* path : {"santa.tg", "santa.tgaa", "data/santa.tga/", "sant[.tga", "sun.tga "})
        EXPECT_EQ(packOpen(path, "rb"), nullptr) << path;
    EXPECT_EQ(packOpen(nullptr, "rb"), nullptr);
    EXPECT_EQ(packOpenStreamCount(), 0);
}

TEST_F(Pack, FoldsOnlyAsciiLetters)
{
    PackFile pack(writePack({{"a{b", bytesOf("1")}, {"\xC9t\xE9", bytesOf("2")}}).c_str());
    EXPECT_EQ(packOpen("A[B", "rb"), nullptr);
    EXPECT_EQ(packOpen("\xE9t\xE9", "rb"), nullptr);
    PackStream* exact = packOpen("\xC9T\xE9", "rb");
    EXPECT_NE(exact, nullptr);
    packClose(exact);
}

TEST_F(Pack, PathEndingInASeparatorOpensOnlyAnEmptyName)
{
    {
        PackFile pack(writePack(threeFiles).c_str());
        EXPECT_EQ(packOpen("data/", "rb"), nullptr);
        EXPECT_EQ(packOpen("", "rb"), nullptr);
    }
    PackFile pack(writePack({{"x.tga", bytesOf("x")}, {"", bytesOf("empty-name")}}).c_str());
    for (const char* path : {"data/", "data\\", ""}) {
        PackStream* stream = packOpen(path, "rb");
        EXPECT_EQ(readString(stream, 10), "empty-name") << path;
        packClose(stream);
    }
}

TEST_F(Pack, FirstOfEqualNamesWins)
{
    PackFile pack(writePack({{"other", bytesOf("o")}, {"Santa.tga", bytesOf("first")},
                             {"santa.TGA", bytesOf("later")}}).c_str());
    for (int i = 0; i < 3; ++i) {
        PackStream* stream = packOpen("SANTA.tga", "rb");
        EXPECT_EQ(readString(stream, 5), "first");
        packClose(stream);
    }
}

TEST_F(Pack, EmptyDirectoryOpensNothing)
{
    PackFile pack(writePack({}).c_str());
    EXPECT_TRUE(packArchiveOpen());
    EXPECT_EQ(packOpen("", "rb"), nullptr);
    EXPECT_EQ(packOpen("santa.tga", "rb"), nullptr);
    EXPECT_EQ(packOpenStreamCount(), 0);
}

TEST_F(Pack, ReadsEntryInPiecesAndStopsAtItsEnd)
{
    PackFile pack(writePack(threeFiles).c_str());
    PackStream* stream = packOpen("gimme_64k.mp3", "rb");
    ASSERT_NE(stream, nullptr);
    char buffer[16];
    EXPECT_EQ(packRead(buffer, 2, 2, stream), 2);
    EXPECT_EQ(std::string(buffer, 4), "0123");
    EXPECT_EQ(stream->position, 4);
    // Asking for more than is left gives the rest of this entry only; the
    // bytes of the next entry are not handed out and the buffer beyond is kept.
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(packRead(buffer, 4, 4, stream), 1);
    EXPECT_EQ(std::string(buffer, 16), "456789##########");
    EXPECT_EQ(stream->position, 10);
    EXPECT_EQ(packRead(buffer, 1, 1, stream), 0);
    EXPECT_EQ(stream->position, 10);
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
    EXPECT_EQ(stream->position, 0);
    // size x count overflows 32 bits; only the entry's five bytes are written.
    EXPECT_EQ(packRead(buffer, 0x10000, 0x10000, stream), 0);
    EXPECT_EQ(std::string(buffer), "SANTA--");
    EXPECT_EQ(stream->position, 5);
    EXPECT_EQ(packSeek(nullptr, 0, SEEK_SET), 0);
    packClose(stream);
}

TEST_F(Pack, SeekBackToTheStartReadsTheEntryAgain)
{
    PackFile pack(writePack(threeFiles).c_str());
    PackStream* stream = packOpen("gimme_64k.mp3", "rb");
    EXPECT_EQ(readString(stream, 3), "012");
    EXPECT_EQ(packSeek(stream, 2, SEEK_CUR), 1);
    EXPECT_EQ(stream->position, 5);
    EXPECT_EQ(readString(stream, 2), "56");
    EXPECT_EQ(packSeek(stream, -7, SEEK_CUR), 1);
    EXPECT_EQ(stream->position, 0);
    EXPECT_EQ(readString(stream, 3), "012");
    packClose(stream);
}

TEST_F(Pack, SeekOutsideTheEntryIsRefused)
{
    PackFile pack(writePack(threeFiles).c_str());
    PackStream* stream = packOpen("gimme_64k.mp3", "rb");
    EXPECT_EQ(packSeek(stream, 4, SEEK_CUR), 1);
    EXPECT_EQ(packSeek(stream, -5, SEEK_CUR), 0);
    EXPECT_EQ(packSeek(stream, 7, SEEK_CUR), 0);
    EXPECT_EQ(packSeek(stream, 4, 99), 0);
    EXPECT_EQ(stream->position, 4);
    EXPECT_EQ(packSeek(stream, 6, SEEK_CUR), 1);  // exactly the end
    EXPECT_EQ(stream->position, 10);
    packClose(stream);
}

TEST_F(Pack, SeekSetAndEndCountFromTheArchiveFile)
{
    PackFile pack(writePack(threeFiles).c_str());
    // Data starts after 4 + 3 * 40 bytes: santa.tga at 124, the tune at 129, sun.tga at 139.
    PackStream* stream = packOpen("gimme_64k.mp3", "rb");
    EXPECT_EQ(packSeek(stream, 132, SEEK_SET), 1);
    EXPECT_EQ(stream->position, 3);
    EXPECT_EQ(readString(stream, 2), "34");
    EXPECT_EQ(packSeek(stream, -5, SEEK_END), 1);  // 142 - 5 = 137
    EXPECT_EQ(stream->position, 8);
    EXPECT_EQ(readString(stream, 2), "89");
    EXPECT_EQ(packSeek(stream, 0, SEEK_SET), 0);
    EXPECT_EQ(packSeek(stream, 0, SEEK_END), 0);
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
    EXPECT_EQ(packOpenStreamCount(), 2);
    delete pack;
    EXPECT_EQ(packOpenStreamCount(), 1);
    EXPECT_TRUE(packArchiveOpen());
    EXPECT_EQ(readString(second, 3), "sun");
    packClose(first);
    EXPECT_EQ(first, nullptr);
    EXPECT_EQ(packOpenStreamCount(), 0);
    EXPECT_TRUE(packArchiveOpen());
    packClose(second);
    EXPECT_FALSE(packArchiveOpen());
    packClose(second);  // a null reference does nothing
    EXPECT_EQ(second, nullptr);
}

TEST_F(Pack, FailedLookupIsNoStreamToRelease)
{
    PackFile* pack = new PackFile(writePack(threeFiles).c_str());
    PackStream* missing = packOpen("missing.tga", "rb");
    EXPECT_EQ(packOpenStreamCount(), 0);
    packClose(missing);
    EXPECT_TRUE(packArchiveOpen());
    delete pack;
}

TEST_F(Pack, SecondPackFileChangesNothingAndCountsAsARelease)
{
    PackFile* first = new PackFile(writePack(threeFiles).c_str());
    PackFile* second = new PackFile(writePack({{"other.tga", bytesOf("o")}}, "other.dat").c_str());
    PackStream* stream = packOpen("santa.tga", "rb");
    EXPECT_NE(stream, nullptr);
    EXPECT_EQ(packOpen("other.tga", "rb"), nullptr);
    delete second;
    EXPECT_EQ(packOpenStreamCount(), 0);
    EXPECT_TRUE(packArchiveOpen());
    delete first;  // the stream is still counted as released once above
    EXPECT_FALSE(packArchiveOpen());
    // The stream outlived its archive: it reads nothing rather than a freed directory.
    char buffer[4] = "---";
    EXPECT_EQ(packRead(buffer, 1, 3, stream), 0);
    EXPECT_EQ(packSeek(stream, 1, SEEK_CUR), 0);
    EXPECT_EQ(std::string(buffer), "---");
    packClose(stream);
    EXPECT_EQ(packOpenStreamCount(), 0);
}

TEST_F(Pack, OpensAgainAfterItWasClosed)
{
    {
        PackFile pack(writePack(threeFiles).c_str());
    }
    EXPECT_FALSE(packArchiveOpen());
    PackFile pack(writePack({{"other.tga", bytesOf("o")}}, "other.dat").c_str());
    PackStream* stream = packOpen("other.tga", "rb");
    EXPECT_EQ(readString(stream, 1), "o");
    EXPECT_EQ(packOpen("santa.tga", "rb"), nullptr);
    packClose(stream);
}

// Each damaged pack is refused as a whole: no archive is open, every lookup
// fails, and a good pack can still be opened afterwards.
class DamagedPack : public Pack {
protected:
    void expectRefused(const std::vector<unsigned char>& bytes, const char* what)
    {
        std::string path = dir.write("damaged.dat", bytes);
        {
            PackFile pack(path.c_str());
            EXPECT_FALSE(packArchiveOpen()) << what;
            EXPECT_EQ(packOpen("santa.tga", "rb"), nullptr) << what;
        }
        PackFile good(writePack(threeFiles).c_str());
        EXPECT_TRUE(packArchiveOpen()) << what;
    }

    std::vector<unsigned char> goodBytes = packBytes(threeFiles);
};

TEST_F(DamagedPack, MissingOrUnreadableFile)
{
    {
        PackFile pack(dir.path("missing.dat").c_str());
        EXPECT_FALSE(packArchiveOpen());
        EXPECT_EQ(packOpen("santa.tga", "rb"), nullptr);
    }
    {
        PackFile pack(dir.root.c_str());  // a directory opens but cannot be read
        EXPECT_FALSE(packArchiveOpen());
    }
    {
        PackFile pack(nullptr);
        EXPECT_FALSE(packArchiveOpen());
    }
    expectRefused({}, "empty file");
    expectRefused({1, 0, 0}, "count cut short");
}

TEST_F(DamagedPack, CountThatDoesNotFitTheFile)
{
    std::vector<unsigned char> bytes = goodBytes;
    putLittleEndian32(bytes, 0, 0xFFFFFFFFu);
    expectRefused(bytes, "count -1");
    putLittleEndian32(bytes, 0, 0x80000000u);
    expectRefused(bytes, "count INT32_MIN");
    putLittleEndian32(bytes, 0, 0x7FFFFFFFu);
    expectRefused(bytes, "count INT32_MAX");
    // Four records claimed, but the file ends 2 bytes into the fourth.
    std::vector<unsigned char> shortDirectory(goodBytes.begin(), goodBytes.begin() + 4 + 3 * 40 + 2);
    putLittleEndian32(shortDirectory, 0, 4);
    expectRefused(shortDirectory, "directory shorter than its count");
}

TEST_F(DamagedPack, NameWithoutItsNul)
{
    std::vector<unsigned char> bytes = goodBytes;
    std::memset(&bytes[recordNameAt(1)], 'x', 32);
    expectRefused(bytes, "32 name bytes without a NUL");
    bytes[recordNameAt(1) + 31] = 0;
    std::string path = dir.write("ok.dat", bytes);
    PackFile pack(path.c_str());
    PackStream* stream = packOpen(std::string(31, 'x').c_str(), "rb");
    EXPECT_EQ(readString(stream, 10), "0123456789");
    packClose(stream);
}

TEST_F(DamagedPack, DataOutsideTheFile)
{
    const uint32_t fileSize = uint32_t(goodBytes.size());
    struct Case {
        uint32_t offset;
        uint32_t size;
        const char* what;
    } cases[] = {
        {0xFFFFFFFFu, 1, "negative offset"},
        {124, 0xFFFFFFFFu, "negative size"},
        {fileSize + 1, 0, "offset past the end"},
        {fileSize - 2, 3, "size past the end"},
        {124, 0x7FFFFFFFu, "size INT32_MAX"},
        {0x7FFFFFFFu, 0x7FFFFFFFu, "offset + size overflows"},
    };
    for (const Case& c : cases) {
        std::vector<unsigned char> bytes = goodBytes;
        putLittleEndian32(bytes, recordOffsetAt(2), c.offset);
        putLittleEndian32(bytes, recordSizeAt(2), c.size);
        expectRefused(bytes, c.what);
    }
    // An empty entry at the very end, and data that overlaps the directory, are fine.
    std::vector<unsigned char> bytes = goodBytes;
    putLittleEndian32(bytes, recordOffsetAt(2), fileSize);
    putLittleEndian32(bytes, recordSizeAt(2), 0);
    putLittleEndian32(bytes, recordOffsetAt(0), 0);
    putLittleEndian32(bytes, recordSizeAt(0), 4);
    PackFile pack(dir.write("edge.dat", bytes).c_str());
    PackStream* santa = packOpen("santa.tga", "rb");
    EXPECT_EQ(readString(santa, 4), std::string("\x03\0\0\0", 4));
    PackStream* sun = packOpen("sun.tga", "rb");
    char byte = '#';
    EXPECT_EQ(packRead(&byte, 1, 1, sun), 0);
    EXPECT_EQ(byte, '#');
    packClose(santa);
    packClose(sun);
}
