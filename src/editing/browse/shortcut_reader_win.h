// Reading shell links (".lnk" files) through the shell's link object.
#pragma once

#include <cstdint>
#include <string>

#include "editing/browse/shortcut_fields.h"

// Reads, in this order, the target path (raw, the UNC form preferred), the
// arguments, the working directory, the show command and the icon location,
// and stops at the first that fails: the outputs not reached keep their
// values. When all were read and the link has no icon path of its own, the
// icon file is the target. Nothing is reported.
void ResolveShortcut(const std::string& linkPath, std::string& target, std::string& workDir,
                     std::string& arguments, int32_t& showCmd, std::string& iconFile, int32_t& iconIndex);

class ShellShortcutReader : public ShortcutReader {
 public:
  void Resolve(const std::string& linkPath, ShortcutFields& fields) override {
    ResolveShortcut(linkPath, fields.Target, fields.WorkDir, fields.Arguments, fields.ShowCmd, fields.IconFile,
                    fields.IconIndex);
  }
};
