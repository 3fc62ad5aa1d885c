// The page's program entry. It runs once per OK of the page's Setup form: when
// the show ends (Escape) or start-up fails, the page starts a fresh instance,
// which shows the form again.
#include <cstdlib>

#include "media.h"
#include "startup.h"

int main()
{
    runDemo(nullptr);
    cleanup();
    // A main that has waited for the page returns to nobody who would end the
    // run: it ends here, as Escape ends it, and the page hears of it.
    exit(0);
}
