// The "last error" that an error box appends is errno's text on Linux.
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
