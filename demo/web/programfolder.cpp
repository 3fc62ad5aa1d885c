// In the page the program has no folder of its own and no installed copy: the
// page puts snowgig.dat in the working folder of its file system.
#include "programfolder.h"

std::string programFolder()
{
    return "";
}

const char* installedDataFolder()
{
    return nullptr;
}
