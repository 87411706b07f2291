// Dropped names in the system code page: UTF-16 names written single-byte,
// through their short (8.3) form when the code page cannot hold the long one,
// and shell links read wide, with room to see a field a button cannot hold.
#pragma once

#include <string>

#include "editing/browse/shortcut_fields.h"

// The path in the system code page; false when a character was lost and the
// path has no short form that the code page holds (`ansi` then has '?' for it).
bool AnsiPathOf(const std::wstring& path, std::string& ansi);

// The text with its environment variables expanded, in the system code page
// (a lost character shows as '?').
std::string ExpandedPath(const std::string& text);

// Reads a shell link through the wide link object. Buffers are larger than a
// button's fields, so that a longer field arrives whole and is refused rather
// than cut; paths the code page cannot hold come as their short form or with '?'.
class WideShortcutReader : public ShortcutReader {
 public:
  void Resolve(const std::string& linkPath, ShortcutFields& fields) override;
};
