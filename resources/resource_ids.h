// Identifiers of the program's resources.
#pragma once

#define IDS_APP_TITLE 103
#define IDI_APP_ICON 107
#define IDI_APP_ICON_SMALL 108
#define IDS_WINDOW_CLASS 109
#define IDD_SETTINGS 129

#define IDC_RESOLUTION_LIST 1002
#define IDC_VERSION_TEXT 1003
#define IDC_LAYOUT_CLONE 1004
#define IDC_LAYOUT_HSPAN 1005
#define IDC_LAYOUT_VSPAN 1006
