// The page's program entry. It runs once per OK of the page's Setup form: when
// the show ends (Escape) or start-up fails, the page starts a fresh instance,
// which shows the form again.
#include "media.h"
#include "startup.h"

int main()
{
    runDemo(nullptr);
    cleanup();
    return 0;
}
