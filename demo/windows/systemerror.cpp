#include "systemerror.h"

#include <windows.h>

void setLastErrorFileNotFound()
{
    SetLastError(ERROR_FILE_NOT_FOUND);
}

void setLastErrorInvalidData()
{
    SetLastError(ERROR_INVALID_DATA);
}
