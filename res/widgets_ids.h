// Control and string ids of the widgets resources.
#pragma once

// About dialog: the two links.
#define IDC_ABOUT_WEBSITE      1102
#define IDC_ABOUT_EMAIL        1103
