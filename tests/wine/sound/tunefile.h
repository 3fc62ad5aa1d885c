// Test tunes and captured sound as files, read from the Unix side of Wine's
// file system.
#ifndef SNOWGIG_TEST_TUNEFILE_H
#define SNOWGIG_TEST_TUNEFILE_H

#include "../../support/filebytes.h"

inline std::vector<uint8_t> readTestTune(const char* name)
{
    return readFile(std::string(TEST_TUNE_DIR) + "/" + name);
}

#endif
