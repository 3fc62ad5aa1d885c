// Runs the packwriter tool and checks the bytes it writes and what it refuses.
#include "pack.h"
#include "scratchdir.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

int runPackwriter(const std::vector<std::string>& args)
{
    std::string command = PACKWRITER_PATH;
    for (const std::string& arg : args)
        command += " '" + arg + "'";
    command += " 2>/dev/null";
    int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

uint32_t le32(const std::vector<unsigned char>& bytes, size_t at)
{
    return uint32_t(bytes[at]) | uint32_t(bytes[at + 1]) << 8 | uint32_t(bytes[at + 2]) << 16 |
           uint32_t(bytes[at + 3]) << 24;
}

std::string recordName(const std::vector<unsigned char>& bytes, size_t record)
{
    return std::string(reinterpret_cast<const char*>(&bytes[4 + record * 40]));
}

} // namespace

TEST(PackWriter, WritesCountDirectoryAndDataWithAbsoluteOffsets)
{
    ScratchDir dir;
    std::string first = dir.write("data/santa.tga", "SANTA");
    std::string second = dir.write("other/Gimme_64k.mp3", "mp3bytes!");
    std::string empty = dir.write("empty.bin", "");
    std::string out = dir.path("out.dat");
    ASSERT_EQ(runPackwriter({out, first, second, empty}), 0);

    std::vector<unsigned char> pack = readBytes(out);
    ASSERT_EQ(pack.size(), 4u + 3 * 40 + 5 + 9);
    EXPECT_EQ(le32(pack, 0), 3u);
    EXPECT_EQ(recordName(pack, 0), "santa.tga");
    EXPECT_EQ(recordName(pack, 1), "Gimme_64k.mp3");
    EXPECT_EQ(recordName(pack, 2), "empty.bin");
    EXPECT_EQ(le32(pack, 4 + 32), 124u);
    EXPECT_EQ(le32(pack, 4 + 36), 5u);
    EXPECT_EQ(le32(pack, 44 + 32), 129u);
    EXPECT_EQ(le32(pack, 44 + 36), 9u);
    EXPECT_EQ(le32(pack, 84 + 32), 138u);
    EXPECT_EQ(le32(pack, 84 + 36), 0u);
    EXPECT_EQ(std::string(pack.begin() + 124, pack.begin() + 129), "SANTA");
    EXPECT_EQ(std::string(pack.begin() + 129, pack.end()), "mp3bytes!");
    // Name fields are padded with zeros, so no stray bytes end up in the pack.
    for (size_t i = 4 + 9; i < 4 + 32; ++i)
        EXPECT_EQ(pack[i], 0) << "byte " << i;
}

TEST(PackWriter, SameInputGivesSameBytes)
{
    ScratchDir dir;
    std::string a = dir.write("a.tga", std::string(1000, 'a'));
    std::string b = dir.write("b.tga", "bee");
    ASSERT_EQ(runPackwriter({dir.path("one.dat"), a, b}), 0);
    ASSERT_EQ(runPackwriter({dir.path("two.dat"), a, b}), 0);
    EXPECT_EQ(readBytes(dir.path("one.dat")), readBytes(dir.path("two.dat")));
}

TEST(PackWriter, AcceptsThirtyOneCharactersAndRefusesThirtyTwo)
{
    ScratchDir dir;
    std::string longest = dir.write(std::string(27, 'x') + ".tga", "ok");
    std::string tooLong = dir.write(std::string(28, 'y') + ".tga", "no");
    EXPECT_EQ(runPackwriter({dir.path("ok.dat"), longest}), 0);
    EXPECT_EQ(recordName(readBytes(dir.path("ok.dat")), 0), std::string(27, 'x') + ".tga");
    EXPECT_EQ(runPackwriter({dir.path("bad.dat"), longest, tooLong}), 1);
    EXPECT_FALSE(fileExists(dir.path("bad.dat")));
}

TEST(PackWriter, RefusesNamesEqualAfterCaseFolding)
{
    ScratchDir dir;
    std::string lower = dir.write("one/santa.tga", "1");
    std::string upper = dir.write("two/SANTA.Tga", "2");
    std::string same = dir.write("santa.tga", "3");
    EXPECT_EQ(runPackwriter({dir.path("bad.dat"), lower, upper}), 1);
    EXPECT_EQ(runPackwriter({dir.path("bad.dat"), lower, same}), 1);
    EXPECT_FALSE(fileExists(dir.path("bad.dat")));
}

TEST(PackWriter, RefusesMissingInputsEmptyNamesAndMissingArguments)
{
    ScratchDir dir;
    std::string real = dir.write("real.tga", "r");
    EXPECT_EQ(runPackwriter({dir.path("bad.dat"), real, dir.path("missing.tga")}), 1);
    EXPECT_EQ(runPackwriter({dir.path("bad.dat"), dir.root + "/"}), 1);
    EXPECT_EQ(runPackwriter({dir.path("bad.dat"), dir.root}), 1);  // a directory
    EXPECT_FALSE(fileExists(dir.path("bad.dat")));
    EXPECT_EQ(runPackwriter({dir.path("bad.dat")}), 1);
    EXPECT_EQ(runPackwriter({}), 1);
    EXPECT_EQ(runPackwriter({dir.path("no/such/dir/out.dat"), real}), 1);
}

TEST(PackWriter, OutputThatIsAlsoAnInputIsReadFirst)
{
    ScratchDir dir;
    std::string self = dir.write("self.dat", "before");
    ASSERT_EQ(runPackwriter({self, self}), 0);
    std::vector<unsigned char> pack = readBytes(self);
    ASSERT_EQ(pack.size(), 44u + 6);
    EXPECT_EQ(std::string(pack.begin() + 44, pack.end()), "before");
}

TEST(PackWriter, PackReaderFindsEveryFileItWrote)
{
    ScratchDir dir;
    std::vector<std::string> files = {
        dir.write("data/santa.tga", std::string(3000, 's')),
        dir.write("data/gimme_64k.mp3", "tune"),
        dir.write("x.tga", ""),
    };
    std::string out = dir.path("snowgig.dat");
    ASSERT_EQ(runPackwriter({out, files[0], files[1], files[2]}), 0);
    {
        PackFile pack(out.c_str());
        ASSERT_TRUE(packArchiveOpen());
        for (const std::string& file : files) {
            std::vector<unsigned char> expected = readBytes(file);
            PackStream* stream = packOpen(file.c_str(), "rb");
            ASSERT_NE(stream, nullptr) << file;
            std::vector<unsigned char> got(expected.size() + 1, 0);
            packRead(got.data(), 1, int32_t(got.size()), stream);
            got.pop_back();
            EXPECT_EQ(got, expected) << file;
            packClose(stream);
        }
    }
    EXPECT_FALSE(packArchiveOpen());
}
