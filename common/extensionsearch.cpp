#include "extensionsearch.h"

#include <cstring>

bool containsExtension(const char* extensions, const char* name)
{
    if (!extensions || !name || name[0] == '\0' || std::strchr(name, ' '))
        return false;
    const size_t length = std::strlen(name);
    // Since name has no space, an occurrence that starts a word cannot overlap
    // an earlier one, so the search may go on after the end of each miss.
    for (const char* at = std::strstr(extensions, name); at; at = std::strstr(at + length, name)) {
        const bool startsWord = at == extensions || at[-1] == ' ';
        const bool endsWord = at[length] == ' ' || at[length] == '\0';
        if (startsWord && endsWord)
            return true;
    }
    return false;
}
