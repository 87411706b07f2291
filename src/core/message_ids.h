// The numbers of the texts in the core's message table, by what they say.
#pragma once

#include <cstdint>

// Start-up: the installer's registry values, the start-up shortcut.
inline constexpr int32_t kMsgRegistryOpenFailed = 10;
inline constexpr int32_t kMsgRegistryReadFailed = 11;
inline constexpr int32_t kMsgStartupCreateFailed = 12;
inline constexpr int32_t kMsgStartupQueryFailed = 13;
inline constexpr int32_t kMsgStartupSaveFailed = 14;
// The appbar.
inline constexpr int32_t kMsgAutoHideEdgeTaken = 50;
inline constexpr int32_t kMsgAppBarRefused = 51;
// The bar and its menus.
inline constexpr int32_t kMsgEmptyBar = 54;  // "{ empty }"
inline constexpr int32_t kMsgWebAddress = 56;  // the maker's web page
inline constexpr int32_t kMsgExitQuestion = 58;
inline constexpr int32_t kMsgSupportMail = 180;
// The database file; followed by the step that failed.
inline constexpr int32_t kMsgStorageError = 83;
// What a Cancel of the buttons manager that could not put the database file
// back, or not read it, shows instead.
inline constexpr int32_t kMsgCancelShowsUndoCopy = 84;
inline constexpr int32_t kMsgCancelShowsDatabase = 85;
inline constexpr int32_t kMsgCancelReadNothing = 86;
// The file dialog and the folder browser.
inline constexpr int32_t kMsgAllFilesFilter = 100;
inline constexpr int32_t kMsgFolderSelection = 101;
inline constexpr int32_t kMsgWorkingFolderSelection = 102;
inline constexpr int32_t kMsgUrlFilesFilter = 103;
// The buttons manager.
inline constexpr int32_t kMsgSeparatorName = 121;
inline constexpr int32_t kMsgManagerRoot = 600;
inline constexpr int32_t kMsgNoTarget = 603;
inline constexpr int32_t kMsgNoName = 604;
inline constexpr int32_t kMsgDeleteBarQuestion = 605;  // followed by the bar's name
inline constexpr int32_t kMsgDeleteBarQuestionEnd = 606;
// The clock: weekdays at kMsgFirstWeekday + day (0 Sunday), months at
// kMsgFirstMonth + month - 1 (1 January).
inline constexpr int32_t kMsgFirstWeekday = 200;
inline constexpr int32_t kMsgFirstMonth = 207;
// The drop: the heading of the refused items, then one reason per refusal
// (in the order of DropRefusal), then the line before the items not listed.
inline constexpr int32_t kMsgDropRefusedHeader = 760;
inline constexpr int32_t kMsgDropRefusedMore = 768;
// Three of those reasons, which the buttons manager gives for a shell link too.
inline constexpr int32_t kMsgNotInCodePage = 764;
inline constexpr int32_t kMsgPathTooLong = 765;
inline constexpr int32_t kMsgArgumentsTooLong = 766;
// The drop was taken but the bar it was meant for is gone or busy by the time
// its buttons would be made.
inline constexpr int32_t kMsgDropAbandoned = 769;
inline constexpr int32_t kMsgUrlTooLong = 770;     // followed by the file's path
inline constexpr int32_t kMsgInternalError = 771;  // followed by what failed
// The bar's hot key is held by another program: the key's name goes between.
inline constexpr int32_t kMsgHotKeyTaken = 772;
inline constexpr int32_t kMsgHotKeyTakenEnd = 773;
// The view page's "Monitor:" list: its first entry, and what follows a chosen
// monitor that is not connected now.
inline constexpr int32_t kMsgPrimaryMonitor = 820;
inline constexpr int32_t kMsgMonitorAbsent = 821;
// The options sheet's title, and the tip of the bar's chevron that offers the
// buttons the bar has no room for.
inline constexpr int32_t kMsgOptionsTitle = 810;
inline constexpr int32_t kMsgMoreButtons = 811;
// Earlier copies of the bars: the copies dialog, its restore and the buttons
// manager's export and import of bars.
inline constexpr int32_t kMsgCopyDamaged = 830;
inline constexpr int32_t kMsgRestoreQuestion = 831;  // followed by the copy's date
inline constexpr int32_t kMsgRestoreQuestionEnd = 832;
inline constexpr int32_t kMsgRestoreManagerOpen = 833;
inline constexpr int32_t kMsgRestoreNotKept = 834;
inline constexpr int32_t kMsgRestoreDamaged = 835;
inline constexpr int32_t kMsgRestoreFailed = 836;
inline constexpr int32_t kMsgNoCopies = 837;
inline constexpr int32_t kMsgCopiesColumnDate = 838;  // then the bars', the buttons' and the names' columns
inline constexpr int32_t kMsgExportFailed = 842;      // followed by the file's path
inline constexpr int32_t kMsgImportRefused = 843;     // followed by the file's path
inline constexpr int32_t kMsgImportNoBars = 844;      // followed by the file's path
inline constexpr int32_t kMsgExportNoBar = 845;
inline constexpr int32_t kMsgBarFilesFilter = 846;
inline constexpr int32_t kMsgDatabaseFilesFilter = 847;
inline constexpr int32_t kMsgExportTitle = 848;
inline constexpr int32_t kMsgImportTitle = 849;
inline constexpr int32_t kMsgCopiesFolder = 850;  // followed by the folder's path
// A button's submenu in the bar's context menu, and the question before a
// button leaves the bar.
inline constexpr int32_t kMsgButtonOpen = 880;
inline constexpr int32_t kMsgButtonRunAsAdmin = 881;
inline constexpr int32_t kMsgButtonFileLocation = 882;
inline constexpr int32_t kMsgButtonEdit = 883;
inline constexpr int32_t kMsgButtonRemove = 884;
inline constexpr int32_t kMsgButtonSeparator = 885;
inline constexpr int32_t kMsgRemoveQuestion = 886;  // followed by the button's name
inline constexpr int32_t kMsgRemoveQuestionEnd = 887;
inline constexpr int32_t kMsgRemoveSeparatorQuestion = 888;
