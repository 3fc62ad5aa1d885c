// Reads files out of the demo's pack file: a directory of 40-byte records at the
// start, the packed files' data after it. One archive is open per process and
// every open stream reads through its single file handle.
#ifndef SNOWGIG_PACK_H
#define SNOWGIG_PACK_H

#include <cstdint>

struct PackEntry {
    char name[32];   // base name, NUL inside the 32 bytes
    int32_t offset;  // from the start of the pack file
    int32_t size;
};

struct PackStream {
    PackEntry* entry;
    int32_t position;     // relative to the entry's first byte
    uint64_t generation;  // which opening of the archive the stream belongs to
};

// Every PackFile object refers to the one process-wide archive: constructing one
// opens the archive unless one is already open; destroying one is a release.
class PackFile {
public:
    explicit PackFile(const char* archivePath);
    ~PackFile();
    PackFile(const PackFile&) = delete;
    PackFile& operator=(const PackFile&) = delete;
};

PackStream* packOpen(const char* path, const char* mode);
int packRead(void* buffer, int32_t size, int32_t count, PackStream* stream);
int packSeek(PackStream* stream, long offset, int origin);
void packClose(PackStream*& stream);

// Streams opened and not yet released, and whether an archive is open: for
// tests and checks at shutdown.
int32_t packOpenStreamCount();
bool packArchiveOpen();

#endif
