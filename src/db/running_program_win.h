// The system's side of switching to running programs: the visible top-level
// windows with their programs, carrying a switch out, and the description a
// program's version resource gives.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "db/running_program.h"

// The full path of the executable that made `window`; empty when the process
// cannot be asked.
std::string ProgramPathOfWindow(HWND window);

// The visible, unowned top-level windows that are not tool windows, in the
// order of the screen (the most recently active first), with their programs.
std::vector<ProgramWindow> VisibleProgramWindows();

// Brings the chosen window forward or minimises it; false for kStart.
bool CarryOutSwitch(const SwitchChoice& choice);

// The file description of the program's version resource in its first
// language, or empty.
std::string FileDescriptionOf(const std::string& programPath);

// The path as written, with every short (8.3) part made long where the file exists.
std::string LongPathOf(const std::string& path);
