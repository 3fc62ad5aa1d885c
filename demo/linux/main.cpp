// The Linux program entry.
#include "media.h"
#include "startup.h"

int main()
{
    runDemo(nullptr);
    cleanup();
    return 0;
}
