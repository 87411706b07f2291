// Control ids of the earlier copies dialog (template 260) and of the buttons
// manager's export and import of bars.
#pragma once

#define IDD_EARLIER_COPIES     260

#define IDC_COPIES_LIST        1470
#define IDC_COPIES_RESTORE     1471
#define IDC_COPIES_INTRO       1472
#define IDC_COPIES_FOLDER      1473

// Buttons manager (template 212).
#define IDC_MGR_EXPORT         1474
#define IDC_MGR_IMPORT         1475
