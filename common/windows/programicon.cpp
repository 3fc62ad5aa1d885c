#include "programicon.h"

#include "resource.h"

HICON programIcon(HINSTANCE instance, WPARAM which)
{
    bool big = which == ICON_BIG;
    int width = GetSystemMetrics(big ? SM_CXICON : SM_CXSMICON);
    int height = GetSystemMetrics(big ? SM_CYICON : SM_CYSMICON);
    // Shared icons are the system's to free, and are loaded once.
    HANDLE icon = LoadImageA(instance, MAKEINTRESOURCEA(IDI_SNOWGIG), IMAGE_ICON, width, height,
                             LR_SHARED);
    if (!icon)
        icon = LoadImageA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION), IMAGE_ICON, 0, 0,
                          LR_SHARED | LR_DEFAULTSIZE);
    return static_cast<HICON>(icon);
}
