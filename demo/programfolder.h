// Where the running program lies, and where an installed copy keeps its data:
// each platform answers in its own folder.
#ifndef SNOWGIG_PROGRAMFOLDER_H
#define SNOWGIG_PROGRAMFOLDER_H

#include <string>

// The folder of the running executable, without a trailing separator; empty
// when the system does not say.
std::string programFolder();

// The folder an installed copy keeps its data in, or null where the platform
// has none.
const char* installedDataFolder();

#endif
