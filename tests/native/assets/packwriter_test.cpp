// Runs the packwriter tool: the bytes it writes, and what it refuses.
#include "assetstest.h"
#include "pack.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace {

int runPackwriter(const std::vector<std::string>& args)
{
    std::string command = PACKWRITER_PATH;
    for (const std::string& arg : args)
        command += " '" + arg + "'";
    int status = std::system((command + " 2>/dev/null").c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

uint32_t le32(const Bytes& bytes, size_t at)
{
    return uint32_t(bytes[at]) | uint32_t(bytes[at + 1]) << 8 | uint32_t(bytes[at + 2]) << 16 |
           uint32_t(bytes[at + 3]) << 24;
}

} // namespace

TEST(PackWriter, WritesBaseNamesAbsoluteOffsetsAndTheSameBytesEachTime)
{
    ScratchDir dir;
    std::vector<std::string> files = {dir.write("data/santa.tga", bytesOf("SANTA")),
                                      dir.write("x/Gimme_64k.mp3", bytesOf("mp3bytes!")),
                                      dir.write("empty.bin", {})};
    std::string out = dir.path("out.dat");
    ASSERT_EQ(runPackwriter({out, files[0], files[1], files[2]}), 0);
    Bytes pack = readBytes(out);
    ASSERT_EQ(pack.size(), 4u + 3 * 40 + 5 + 9);
    EXPECT_EQ(le32(pack, 0), 3u);
    const char* names[] = {"santa.tga", "Gimme_64k.mp3", "empty.bin"};
    const uint32_t offsets[] = {124, 129, 138};
    const uint32_t sizes[] = {5, 9, 0};
    for (size_t i = 0; i < 3; ++i) {
        Bytes nameField = bytesOf(names[i]);
        nameField.resize(32, 0);  // padded with zeros, no stray bytes
        EXPECT_EQ(Bytes(&pack[4 + i * 40], &pack[4 + i * 40 + 32]), nameField);
        EXPECT_EQ(le32(pack, 4 + i * 40 + 32), offsets[i]);
        EXPECT_EQ(le32(pack, 4 + i * 40 + 36), sizes[i]);
    }
    EXPECT_EQ(Bytes(pack.begin() + 124, pack.end()), bytesOf("SANTAmp3bytes!"));

    ASSERT_EQ(runPackwriter({dir.path("again.dat"), files[0], files[1], files[2]}), 0);
    EXPECT_EQ(readBytes(dir.path("again.dat")), pack);

    PackFile reader(out.c_str());
    for (const std::string& file : files) {
        PackStream* stream = packOpen(file.c_str(), "rb");
        ASSERT_NE(stream, nullptr) << file;
        Bytes got(16, 0);
        got.resize(size_t(packRead(got.data(), 1, 16, stream)));
        EXPECT_EQ(got, readBytes(file));
        packClose(stream);
    }
}

TEST(PackWriter, RefusesBadNamesAndInputsWithoutWritingAnything)
{
    ScratchDir dir;
    std::string longest = dir.write(std::string(27, 'x') + ".tga", bytesOf("ok"));
    std::string tooLong = dir.write(std::string(28, 'y') + ".tga", bytesOf("no"));
    std::string lower = dir.write("one/santa.tga", bytesOf("1"));
    std::string upper = dir.write("two/SANTA.Tga", bytesOf("2"));
    std::string out = dir.path("bad.dat");
    const std::vector<std::vector<std::string>> refused = {
        {out, longest, tooLong},          {out, lower, upper},
        {out, lower, lower},              {out, lower, dir.path("missing.tga")},
        {out, dir.root + "/"},            {out, dir.root},
        {out},                            {},
        {dir.path("no/such/dir/out.dat"), lower},
    };
    for (const std::vector<std::string>& args : refused) {
        EXPECT_EQ(runPackwriter(args), 1) << args.size() << " arguments";
        EXPECT_FALSE(std::filesystem::exists(out));
    }
    EXPECT_EQ(runPackwriter({out, longest}), 0);
    // An output that is also an input is read before it is overwritten.
    EXPECT_EQ(runPackwriter({lower, lower}), 0);
    Bytes pack = readBytes(lower);
    EXPECT_EQ(Bytes(pack.begin() + 44, pack.end()), bytesOf("1"));
}
