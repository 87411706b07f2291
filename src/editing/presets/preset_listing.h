// Folder listings as the preset bars read them: the entries that match a
// pattern, in the order the file system returns them. Windows: FindFirstFileA
// (WinDirectoryLister); tests: a table.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

constexpr uint32_t kDirectoryAttribute = 0x10;  // FILE_ATTRIBUTE_DIRECTORY

struct DirEntry {
  std::string Name;
  uint32_t Attributes = 0;

  bool IsFolder() const { return (Attributes & kDirectoryAttribute) != 0; }
};

class DirectoryLister {
 public:
  virtual ~DirectoryLister() = default;
  // `pattern` is a folder and a wildcard ("C:\\Docs\\*.*"). The listing ends
  // with the last entry or at the first failure; a folder that cannot be
  // listed gives nothing. "." and ".." are returned as the system returns them.
  virtual std::vector<DirEntry> List(const std::string& pattern) = 0;
};
