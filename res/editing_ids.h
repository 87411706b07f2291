// Control and string ids of the editing resources: the buttons manager
// (template 212) and its button-type choice (template 225). Plain numbers, so
// the portable manager logic can name the controls too.
#pragma once

// Buttons manager controls.
#define IDC_MGR_TREE            1132
#define IDC_MGR_AVAILABLE       1154
#define IDC_MGR_TARGET_LABEL    1034
#define IDC_MGR_TARGET          1123
#define IDC_MGR_BROWSE_TARGET   1140
#define IDC_MGR_NAME_LABEL      1037
#define IDC_MGR_NAME            1008
#define IDC_MGR_DETAILS         1097
#define IDC_MGR_WORKDIR_LABEL   1035
#define IDC_MGR_WORKDIR         1137
#define IDC_MGR_BROWSE_WORKDIR  1143
#define IDC_MGR_ARGS_LABEL      1036
#define IDC_MGR_ARGS            1011
#define IDC_MGR_SIZE_LABEL      1145
#define IDC_MGR_SIZE            1139
#define IDC_MGR_ICON_LOWER      1126
#define IDC_MGR_CHANGE_ICON     1125
#define IDC_MGR_ICON_UPPER      1127
#define IDC_MGR_RESTORE         1141
#define IDC_MGR_SHOW_ON_LAUNCH  1156
#define IDC_MGR_SHOW_ON_TIMER   1157
#define IDC_MGR_SHOW_AFTER      1160
#define IDC_MGR_SECONDS         1158
#define IDC_MGR_SECONDS_SPIN    1159
#define IDC_MGR_SECONDS_LABEL   1161
#define IDC_MGR_APPLY           1144

// The manager's tool bar (bitmap 220); the string table holds each one's tip.
#define IDB_MGR_TOOLBAR         220
// The same pictures drawn at 125, 150 and 200 % (40 x 39, 48 x 47, 64 x 62).
#define IDB_MGR_TOOLBAR_125     226
#define IDB_MGR_TOOLBAR_150     227
#define IDB_MGR_TOOLBAR_200     228
#define ID_MGR_ADD_BUTTON       32815
#define ID_MGR_DELETE           32816
#define ID_MGR_MOVE_DOWN        32817
#define ID_MGR_MOVE_UP          32818
#define ID_MGR_ADD_BAR          32821
#define ID_MGR_SEPARATOR        32822
#define ID_MGR_ADD_PRESET       32825
#define ID_MGR_SPARE            32826

// Icons of the manager's tree: the root (the program's own) and a separator.
#define IDI_MGR_ROOT            214
#define IDI_MGR_SEPARATOR       213

// The message shown when a button is to be added while no bar is selected.
#define IDS_MGR_NO_BAR_FOR_BUTTON 32840

// Button-type choice (template 225): three radio buttons for the kinds 0, 1, 2.
#define IDC_TYPE_FILE           1180
#define IDC_TYPE_FOLDER         1181
#define IDC_TYPE_WEB            1182

// The manager's tool bar window.
#define IDC_MGR_TOOLBAR         1190
