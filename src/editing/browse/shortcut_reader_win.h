// Shell links (".lnk" files) read through the shell's wide link object, and
// UTF-16 names written in the system code page: through their short (8.3)
// form when the code page cannot hold the long one. The buttons manager, its
// preset bars and the bar's drops all read links this way.
#pragma once

#include <string>

#include "editing/browse/shortcut_fields.h"

// The path in the system code page; false when a character was lost and the
// path has no short form that the code page holds (`ansi` then has '?' for it).
bool AnsiPathOf(const std::wstring& path, std::string& ansi);

// The text with its environment variables expanded, in the system code page
// (a lost character shows as '?').
std::string ExpandedPath(const std::string& text);

// Reads, in this order, the target path (raw, the UNC form preferred), the
// arguments, the working directory, the show command and the icon location,
// and stops at the first that fails: the fields not reached keep their
// values. When all were read and the link has no icon path of its own, the
// icon file is the target. Buffers are larger than a button's fields, so that
// a longer field arrives whole and can be refused rather than cut; paths the
// code page cannot hold come as their short form or with '?', and arguments
// it cannot hold put a '?' on the target. Nothing is reported.
class ShellShortcutReader : public ShortcutReader {
 public:
  void Resolve(const std::string& linkPath, ShortcutFields& fields) override;
  std::string Expanded(const std::string& path) override { return ExpandedPath(path); }
};
