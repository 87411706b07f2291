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

// A temporary folder that is removed with its files at the end of the scope.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::string& Path() const { return path_; }
  void WriteFile(const std::string& name, const std::string& content);

 private:
  std::string path_;
  std::vector<std::string> files_;
};
