// Where the headless program finds its pack: the folder it is told.
#ifndef SNOWGIG_HEADLESSDATA_H
#define SNOWGIG_HEADLESSDATA_H

#include <string>

// The folder searched for snowgig.dat after the working directory, as an
// installed copy's data folder is.
void setHeadlessDataFolder(const std::string& folder);

// Splits a pack's path for setHeadlessDataFolder: its folder, when the file is
// named snowgig.dat, as the program looks for; false (after a message on
// standard error) otherwise.
bool headlessPackFolder(const char* packPath, std::string& folder);

#endif
