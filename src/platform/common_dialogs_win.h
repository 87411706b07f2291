// The system's file, colour and font dialogs, with their library (comdlg32)
// loaded on the first call instead of at start: the bar's first frame needs
// none of it, and loading it brings the print spooler's libraries along. A
// library that cannot be loaded is a dialog that was cancelled.
#pragma once

#include <windows.h>
#include <commdlg.h>

BOOL ShowOpenFileDialog(OPENFILENAMEA* record);
BOOL ShowSaveFileDialog(OPENFILENAMEA* record);
BOOL ShowColorDialog(CHOOSECOLORA* record);
BOOL ShowFontDialog(CHOOSEFONTA* record);
