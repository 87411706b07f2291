// "Change icon...": the shell's icon-picker dialog, offered to the editing dialogs.
#pragma once

#include <windows.h>

#include <string>

// Lets the user choose an icon starting from `iconFile` / `iconIndex`. Returns 1
// and updates both when the user chose one; 0 and leaves both unchanged when
// the user cancelled or the picker is not available. Paths are limited to the
// picker's 260 characters.
int PickButtonIcon(HWND owner, std::string& iconFile, int& iconIndex);

// The picker's entry: owner, path buffer (UTF-16 on the NT family, single-byte
// on the 9x family), its capacity in characters and the index. Positive when
// the user chose an icon.
using IconPickerEntry = int(WINAPI*)(HWND owner, void* path, UINT capacity, int* index);

// PickButtonIcon with a given entry and text width.
int PickButtonIconWith(IconPickerEntry pick, bool wideText, HWND owner, std::string& iconFile, int& iconIndex);
