// The program's message boxes: its own name as the caption.
#pragma once

#include <windows.h>

#include <string>

// Shows `text` with the buttons and icon `flags` name and returns the button
// chosen. `owner` may be null: a box shown while only the splash is up must not
// belong to it, or the splash's end would close it; a worker's box stands on its own.
int ShowProgramMessage(HWND owner, const std::string& text, UINT flags = MB_OK);
