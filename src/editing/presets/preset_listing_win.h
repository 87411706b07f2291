// Folder listings through FindFirstFileA / FindNextFileA.
#pragma once

#include "editing/presets/preset_listing.h"

class WinDirectoryLister : public DirectoryLister {
 public:
  std::vector<DirEntry> List(const std::string& pattern) override;
};
