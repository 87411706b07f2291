// What a shell link (".lnk" file) tells about its target, and the reader that
// fills it: the shell's link object on Windows, a table in tests.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>

// The longest field a button takes: the system's path buffers, which the
// buttons manager and the launch use, hold 260 characters with the zero.
inline constexpr std::size_t kMaxButtonFieldLength = 259;

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
  // A link may name its paths through the environment ("%windir%\\..."); a
  // button keeps what they stand for now, since it is not expanded at launch
  // and its target is looked for at each start. The path with its variables
  // replaced; unchanged by a reader that knows no environment.
  virtual std::string Expanded(const std::string& path) { return path; }
  // Resolve, with the target, the folder and the icon file expanded (the
  // arguments stay as the link holds them): what a button is made from.
  void ResolveExpanded(const std::string& linkPath, ShortcutFields& fields) {
    Resolve(linkPath, fields);
    for (std::string* field : {&fields.Target, &fields.WorkDir, &fields.IconFile}) *field = Expanded(*field);
  }
};
