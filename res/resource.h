// Resource identifiers. The program loads its resources by these numbers; the
// numbers themselves are part of the behaviour (templates are also found through
// the dialog-template map of the message texts).
#pragma once

// Icons
#define IDI_MAINFRAME          128
#define IDI_BAR                200
#define IDI_BARSWITCH          214

// Cursors
#define IDC_CLOCKHAND          147

// Bitmaps
#define IDB_SPLASH             217

// Dialog and menu templates
#define IDD_ABOUT              100
#define IDD_BARWINDOW          102
#define IDR_CONTEXTMENU        129
#define IDD_SETTING_CLOCK      134
#define IDD_SETTING_VIEW       140
#define IDD_SETTING_PROGRAM    173
#define IDD_CALENDAR           174
#define IDD_AUTOSTART          188
#define IDD_BUTTONSMANAGER     212
#define IDD_TYPESELECT         225

// Controls
#define IDC_AUTOSTART_NOASK    1094
#define IDC_MONTHCALENDAR      1090

// Strings
#define IDS_REGISTRY_KEY       32790
#define IDS_DATABASE_FILE      32794

// Commands
#define ID_BARSWITCH           32789
#define ID_AUTOHIDE            32773
#define ID_EXIT                32772
#define ID_BUTTONSMANAGER      32785
