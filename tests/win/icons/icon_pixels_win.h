// Icons compared by what they look like: each icon drawn at its own size into
// a 32-bit bitmap.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct IconPicture {
  int width = 0;
  int height = 0;
  std::vector<DWORD> pixels;

  bool operator==(const IconPicture& other) const = default;
};

// An empty picture for no icon.
IconPicture DrawIcon(HICON icon);

// The shell's icon for a path (SHGetFileInfoA), owned by the caller.
HICON ShellIconOf(const std::string& path, bool large);
