// The "last error" that an error box appends is errno's text wherever the
// system keeps no last error of its own (Linux, the web page).
#include "systemerror.h"

#include <cerrno>

void setLastErrorFileNotFound()
{
    errno = ENOENT;
}

void setLastErrorInvalidData()
{
    errno = EINVAL;
}
