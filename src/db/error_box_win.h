// The message box of a storage error.
#pragma once

#include <windows.h>

#include <string>

// A plain message box with an OK button and no icon; the text is message 83
// followed by the reported step. `owner` may be null: a box shown while only
// the splash is up must not belong to it, or the splash's end would close it.
void ShowStorageErrorBox(HWND owner, const std::string& text);
