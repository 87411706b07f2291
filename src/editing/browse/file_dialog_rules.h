// The parts of the program's file dialog that do not need the system: which
// size of open-file-name record a platform version gets, and how the name
// buffer and the answer are prepared.
#pragma once

#include <cstddef>

namespace filedialog {
constexpr int kOldRecordSize = 76;  // the record up to the fourth platform version
constexpr int kNewRecordSize = 88;  // with the three trailing fields; shows the places bar
constexpr int kNoDialog = -1;
}  // namespace filedialog

// 88 from major version 5 on, 76 for 3 and 4, 0 below 3 (no dialog at all).
int FileDialogRecordSize(int platformMajorVersion);
// Zeroes the buffer from its first terminator to its end, so that the system
// finds a single initial name; a buffer without terminator gets one at its end.
void ClearBehindFirstTerminator(char* buffer, size_t size);
// The dialog's result from the system's answer: 1 (OK), or 2 (Cancel) for an
// answer of 0, which also stands for a dialog that failed.
int FileDialogResult(int systemAnswer);
