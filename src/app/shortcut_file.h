#pragma once
// What a shortcut file (.lnk, the shell link binary format) says it starts,
// read from the file's bytes: the start-up shortcut is compared with the
// program at every start without the shell's link object, whose code and
// data would stay in the program's memory for the rest of the run.

#include <string>

enum class ShortcutMatch {
  kStarts,   // the local target path and the working folder are the ones asked for
  kDiffers,  // it names another target or folder
  kUnknown,  // not a shortcut this reader can judge (no local path, damaged,
             // a text only the system's case rules can compare): ask the shell
};

// `program` and `folder` are compared case-insensitively; a difference in
// letters beyond ASCII is left to the shell to judge.
ShortcutMatch MatchShortcut(const std::string& bytes, const std::string& program, const std::string& folder);
