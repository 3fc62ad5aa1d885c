// Where the demo's pack is looked for, so that it is found however the program
// was started: from its own folder, from a shortcut or menu entry that starts
// it elsewhere, or installed with its data in a folder of their own.
#ifndef SNOWGIG_PACKSEARCH_H
#define SNOWGIG_PACKSEARCH_H

#include <string>

// The first of these that holds a readable fileName: the working directory,
// programFolder, installedFolder (either may be empty or null: not searched).
// fileName itself when none does, so that opening it fails as it always has.
std::string findPack(const char* fileName, const char* programFolder,
                     const char* installedFolder);

#endif
