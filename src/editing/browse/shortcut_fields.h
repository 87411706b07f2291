// What a shell link (".lnk" file) tells about its target, and the reader that
// fills it: ResolveShortcut over the shell on Windows, a table in tests.
#pragma once

#include <cstdint>
#include <string>

struct ShortcutFields {
  std::string Target;
  std::string WorkDir;
  std::string Arguments;
  int32_t ShowCmd = 0;
  std::string IconFile;
  int32_t IconIndex = 0;

  friend bool operator==(const ShortcutFields&, const ShortcutFields&) = default;
};

class ShortcutReader {
 public:
  virtual ~ShortcutReader() = default;
  // Reads the link's fields in the order of ShortcutFields and stops at the
  // first one that cannot be read: the fields not reached keep their values.
  // A link without an icon location of its own gets its target as icon file.
  virtual void Resolve(const std::string& linkPath, ShortcutFields& fields) = 0;
};
