// packwriter OUTPUT FILE...
//
// Writes a pack file: a little-endian 32-bit entry count, one 40-byte record per
// file (base name NUL-padded to 32 bytes, absolute offset, size), then the files'
// bytes in the order given. The output depends only on the arguments and the
// files' contents, so the same input always gives the same bytes.
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

const size_t nameBytes = 32;
const size_t recordBytes = 40;

struct InputFile {
    std::string path;
    std::string baseName;
    std::vector<unsigned char> data;
};

std::string baseNameOf(const std::string& path)
{
    size_t cut = path.find_last_of("/\\");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

char foldAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

bool equalFolded(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (foldAscii(a[i]) != foldAscii(b[i]))
            return false;
    return true;
}

bool readWholeFile(const std::string& path, std::vector<unsigned char>& data)
{
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        std::fprintf(stderr, "packwriter: cannot read %s: %s\n", path.c_str(), std::strerror(errno));
        return false;
    }
    unsigned char chunk[65536];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0)
        data.insert(data.end(), chunk, chunk + got);
    bool ok = !std::ferror(file);
    if (!ok)
        std::fprintf(stderr, "packwriter: cannot read %s: %s\n", path.c_str(), std::strerror(errno));
    std::fclose(file);
    return ok;
}

void putLittleEndian32(std::vector<unsigned char>& out, uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back((unsigned char)(value >> shift));
}

// Checks every name and the total size; prints the first problem found.
bool checkInputs(const std::vector<InputFile>& inputs)
{
    for (size_t i = 0; i < inputs.size(); ++i) {
        const InputFile& input = inputs[i];
        if (input.baseName.empty()) {
            std::fprintf(stderr, "packwriter: %s: the path has no file name\n", input.path.c_str());
            return false;
        }
        if (input.baseName.size() > nameBytes - 1) {
            std::fprintf(stderr, "packwriter: %s: the name \"%s\" is longer than %zu characters\n",
                         input.path.c_str(), input.baseName.c_str(), nameBytes - 1);
            return false;
        }
        for (char c : input.baseName) {
            if ((unsigned char)c < 0x20 || (unsigned char)c > 0x7E) {
                std::fprintf(stderr, "packwriter: %s: the name must be printable ASCII\n",
                             input.path.c_str());
                return false;
            }
        }
        for (size_t j = 0; j < i; ++j) {
            if (equalFolded(inputs[j].baseName, input.baseName)) {
                std::fprintf(stderr, "packwriter: %s and %s have the same name \"%s\" "
                             "(names are compared without regard to case)\n",
                             inputs[j].path.c_str(), input.path.c_str(), input.baseName.c_str());
                return false;
            }
        }
    }
    uint64_t total = 4 + uint64_t(inputs.size()) * recordBytes;
    for (const InputFile& input : inputs)
        total += input.data.size();
    if (total > uint64_t(INT32_MAX)) {
        std::fprintf(stderr, "packwriter: the pack would be larger than %d bytes\n", INT32_MAX);
        return false;
    }
    return true;
}

std::vector<unsigned char> buildPack(const std::vector<InputFile>& inputs)
{
    std::vector<unsigned char> pack;
    putLittleEndian32(pack, uint32_t(inputs.size()));
    uint32_t offset = uint32_t(4 + inputs.size() * recordBytes);
    for (const InputFile& input : inputs) {
        unsigned char name[nameBytes] = {};
        std::memcpy(name, input.baseName.data(), input.baseName.size());
        pack.insert(pack.end(), name, name + nameBytes);
        putLittleEndian32(pack, offset);
        putLittleEndian32(pack, uint32_t(input.data.size()));
        offset += uint32_t(input.data.size());
    }
    for (const InputFile& input : inputs)
        pack.insert(pack.end(), input.data.begin(), input.data.end());
    return pack;
}

bool writeWholeFile(const char* path, const std::vector<unsigned char>& data)
{
    FILE* file = std::fopen(path, "wb");
    if (!file)
        return false;
    bool ok = std::fwrite(data.data(), 1, data.size(), file) == data.size();
    ok = (std::fclose(file) == 0) && ok;
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: packwriter OUTPUT FILE...\n"
                             "Writes a pack of the FILEs, each named by its base name.\n");
        return 1;
    }
    std::vector<InputFile> inputs;
    for (int i = 2; i < argc; ++i) {
        InputFile input;
        input.path = argv[i];
        input.baseName = baseNameOf(input.path);
        inputs.push_back(input);
    }
    if (!checkInputs(inputs))
        return 1;
    // Every input is read before the output is opened, so an output that is also
    // an input is never truncated before it has been read.
    for (InputFile& input : inputs) {
        if (!readWholeFile(input.path, input.data))
            return 1;
    }
    if (!checkInputs(inputs))
        return 1;
    if (!writeWholeFile(argv[1], buildPack(inputs))) {
        std::fprintf(stderr, "packwriter: cannot write %s\n", argv[1]);
        std::remove(argv[1]);
        return 1;
    }
    return 0;
}
