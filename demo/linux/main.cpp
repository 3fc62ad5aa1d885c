// The Linux program entry. Like the Windows one it reads snowgig.dat from the
// folder it is started in.
#include "media.h"
#include "startup.h"

int main()
{
    runDemo(nullptr);
    cleanup();
    return 0;
}
