// Test doubles for the music module: a scripted sound library, a pack with at
// most one entry, and a reportError that records its messages.
#ifndef SNOWGIG_TEST_MUSIC_FAKES_H
#define SNOWGIG_TEST_MUSIC_FAKES_H

#include <string>
#include <vector>

struct FakeSound {
    float version = 3.75f;
    bool initSucceeds = true;
    int errorCode = 0;
    bool openSucceeds = true;
    int channel = 7;
    std::vector<std::string> calls;  // "Init 44100 32 0", "Stream_Open 0x28132 0 5", ...
    std::vector<unsigned char> openedBytes;
};
extern FakeSound fakeSound;

struct FakePack {
    bool hasTune = true;
    std::vector<unsigned char> tune;
    int shortReadBy = 0;
    int openStreams = 0;
    std::vector<std::string> opened;
};
extern FakePack fakePack;

extern std::vector<std::string> reportedErrors;

void resetFakes();

#endif
