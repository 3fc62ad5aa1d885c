#include "pack.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const int64_t recordBytes = 40;

// The one archive of the process. Every PackFile object and every stream
// refers to it.
FILE* archive = nullptr;
char* archivePath = nullptr;
int32_t entryCount = 0;
PackEntry* directory = nullptr;
int32_t openStreams = 0;
int64_t archiveSize = 0;
// Counts the openings of an archive. A stream remembers the opening it was made
// in; after a close and a reopen it no longer matches, even when the new
// directory happens to lie at the old one's address.
uint64_t archiveGeneration = 0;
// Where the archive file stands, so that a read seeks only when it must;
// -1 when unknown.
int64_t archivePosition = -1;

int32_t littleEndian32(const unsigned char* bytes)
{
    uint32_t value = uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 |
                     uint32_t(bytes[3]) << 24;
    return int32_t(value);
}

char foldAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

bool namesEqual(const char* a, const char* b)
{
    for (;; ++a, ++b) {
        if (foldAscii(*a) != foldAscii(*b))
            return false;
        if (*a == '\0')
            return true;
    }
}

const char* baseName(const char* path)
{
    const char* base = path;
    for (const char* p = path; *p; ++p)
        if (*p == '/' || *p == '\\')
            base = p + 1;
    return base;
}

// Reads and checks the directory of the file just opened. A damaged directory
// (a count that does not fit the file, a name without its NUL, data outside
// the file) is refused as a whole.
bool readDirectory(FILE* file, int64_t fileSize, int32_t& count, PackEntry*& records)
{
    unsigned char countBytes[4];
    if (std::fread(countBytes, 1, 4, file) != 4)
        return false;
    count = littleEndian32(countBytes);
    if (count < 0 || count > (fileSize - 4) / recordBytes)
        return false;
    records = nullptr;
    if (count == 0)
        return true;
    records = static_cast<PackEntry*>(std::malloc(size_t(count) * sizeof(PackEntry)));
    if (!records)
        return false;
    for (int32_t i = 0; i < count; ++i) {
        unsigned char record[recordBytes];
        PackEntry& entry = records[i];
        bool ok = std::fread(record, 1, recordBytes, file) == size_t(recordBytes);
        if (ok) {
            std::memcpy(entry.name, record, sizeof entry.name);
            entry.offset = littleEndian32(record + 32);
            entry.size = littleEndian32(record + 36);
            ok = std::memchr(entry.name, '\0', sizeof entry.name) != nullptr &&
                 entry.offset >= 0 && entry.size >= 0 && entry.offset <= fileSize &&
                 entry.size <= fileSize - entry.offset;
        }
        if (!ok) {
            std::free(records);
            records = nullptr;
            return false;
        }
    }
    return true;
}

void openArchive(const char* path)
{
    if (!path)
        return;
    FILE* file = std::fopen(path, "rb");
    if (!file)
        return;
    int64_t fileSize = -1;
    if (std::fseek(file, 0, SEEK_END) == 0)
        fileSize = std::ftell(file);
    int32_t count = 0;
    PackEntry* records = nullptr;
    char* pathCopy = static_cast<char*>(std::malloc(std::strlen(path) + 1));
    if (fileSize < 4 || std::fseek(file, 0, SEEK_SET) != 0 || !pathCopy ||
        !readDirectory(file, fileSize, count, records)) {
        std::free(pathCopy);
        std::fclose(file);
        return;
    }
    std::strcpy(pathCopy, path);
    archive = file;
    archivePath = pathCopy;
    entryCount = count;
    directory = records;
    archiveSize = fileSize;
    archivePosition = 4 + int64_t(count) * recordBytes;
    ++archiveGeneration;
}

// Destroying a PackFile and closing a stream are both releases: each takes back
// one open stream, and the release that finds none left closes the archive.
void release()
{
    if (openStreams > 0) {
        --openStreams;
        return;
    }
    std::free(directory);
    std::free(archivePath);
    if (archive)
        std::fclose(archive);
    archive = nullptr;
    archivePath = nullptr;
    directory = nullptr;
    entryCount = 0;
    archiveSize = 0;
    archivePosition = -1;
}

// A stream can outlive its archive (the archive closes on the release that
// finds no open streams, whichever object that release comes from). Such a
// stale stream belongs to an earlier opening: it reads nothing, and its close
// is no release of the archive open now.
bool streamIsLive(const PackStream* stream)
{
    return archive && stream->generation == archiveGeneration;
}

bool moveArchiveTo(int64_t where)
{
    if (archivePosition == where)
        return true;
    if (std::fseek(archive, long(where), SEEK_SET) != 0) {
        archivePosition = -1;
        return false;
    }
    archivePosition = where;
    return true;
}

} // namespace

PackFile::PackFile(const char* path)
{
    if (!archive)
        openArchive(path);
}

PackFile::~PackFile()
{
    release();
}

PackStream* packOpen(const char* path, const char*)
{
    if (!archive || entryCount <= 0 || !path)
        return nullptr;
    const char* wanted = baseName(path);
    for (int32_t i = 0; i < entryCount; ++i) {
        if (namesEqual(directory[i].name, wanted)) {
            PackStream* stream = static_cast<PackStream*>(std::malloc(sizeof(PackStream)));
            if (!stream)
                return nullptr;
            stream->entry = &directory[i];
            stream->position = 0;
            stream->generation = archiveGeneration;
            ++openStreams;
            return stream;
        }
    }
    return nullptr;
}

// Reads at most to the end of the entry, from the stream's own position, and
// returns the number of whole elements read.
int packRead(void* buffer, int32_t size, int32_t count, PackStream* stream)
{
    if (!stream || !buffer || size <= 0 || count <= 0 || !streamIsLive(stream))
        return 0;
    const PackEntry& entry = *stream->entry;
    int64_t wanted = int64_t(size) * count;
    int64_t remaining = int64_t(entry.size) - stream->position;
    int64_t amount = wanted < remaining ? wanted : remaining;
    if (amount <= 0 || !moveArchiveTo(int64_t(entry.offset) + stream->position))
        return 0;
    size_t got = std::fread(buffer, 1, size_t(amount), archive);
    if (got == size_t(amount))
        archivePosition += int64_t(got);
    else
        archivePosition = -1;
    stream->position += int32_t(got);
    return int(int64_t(got) / size);
}

// SEEK_CUR moves from the stream's own position; SEEK_SET and SEEK_END count
// from the start and the end of the archive file. A target outside the entry
// is refused and leaves the position where it was.
int packSeek(PackStream* stream, long offset, int origin)
{
    if (!stream || !streamIsLive(stream))
        return 0;
    const PackEntry& entry = *stream->entry;
    int64_t target;
    switch (origin) {
    case SEEK_SET: target = int64_t(offset) - entry.offset; break;
    case SEEK_CUR: target = int64_t(stream->position) + offset; break;
    case SEEK_END: target = archiveSize + offset - entry.offset; break;
    default: return 0;
    }
    if (target < 0 || target > entry.size)
        return 0;
    stream->position = int32_t(target);
    return 1;
}

void packClose(PackStream*& stream)
{
    if (!stream)
        return;
    if (streamIsLive(stream))
        release();
    std::free(stream);
    stream = nullptr;
}

int32_t packOpenStreamCount()
{
    return openStreams;
}

bool packArchiveOpen()
{
    return archive != nullptr;
}
