// Control ids of the options pages (templates IDD_SETTING_CLOCK,
// IDD_SETTING_VIEW and IDD_SETTING_PROGRAM of resource.h). Plain numbers, so
// that the portable page rules can use them too.
#pragma once

// Clock view
#define IDC_CLOCK_AREA          1060
#define IDC_CLOCK_LEFT          1002
#define IDC_CLOCK_RIGHT         1003
#define IDC_CLOCK_ONE_LINE      1004
#define IDC_CLOCK_TWO_LINES     1005
#define IDC_CLOCK_DATE          1061
#define IDC_CLOCK_YEAR          1099
#define IDC_CLOCK_DAY_OF_WEEK   1006
#define IDC_CLOCK_DATE_FORMAT   1062
#define IDC_CLOCK_DATE_SEP      1066
#define IDC_CLOCK_CLOCK         1063
#define IDC_CLOCK_SECONDS       1007
#define IDC_CLOCK_12H           1064
#define IDC_CLOCK_24H           1065
#define IDC_CLOCK_TIME_SEP      1067

// View options
#define IDC_VIEW_LARGE          1056
#define IDC_VIEW_FLAT           1086
#define IDC_VIEW_PANEL_BK       1059
#define IDC_VIEW_CLOCK_BK       1054
#define IDC_VIEW_TEXT_COLOR     1055
#define IDC_VIEW_STANDARD       1087
#define IDC_VIEW_FONT_LABEL     1051
#define IDC_VIEW_CHANGE_FONT    1053
#define IDC_VIEW_MONITOR_LABEL  1450
#define IDC_VIEW_MONITOR        1451

// Program options
#define IDC_PROG_STARTUP        1067
#define IDC_PROG_TRAY           1098
#define IDC_PROG_TOOLTIPS       1068
#define IDC_PROG_SMOOTHLY       1089
#define IDC_PROG_LOGO           1091
#define IDC_PROG_SPLASH         1092
#define IDC_PROG_SWITCH_RUNNING 1301
#define IDC_PROG_HOTKEY         1302
