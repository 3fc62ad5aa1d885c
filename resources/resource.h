// Ids of the program's icon, the Setup dialog and its controls.
#ifndef SNOWGIG_RESOURCE_H
#define SNOWGIG_RESOURCE_H

// The program's icon: the first icon group, which Explorer shows.
#define IDI_SNOWGIG 1

#define IDD_SETUP 101
#define IDC_FULLSCREEN 1001
#define IDC_RESOLUTION 1002
#define IDC_PROGRESS 1003
#define IDC_WINDOWED 1004

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

#endif
