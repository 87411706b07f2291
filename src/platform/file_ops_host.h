// File operations over plain files for the host build (not built for Windows,
// where WinFileOps does the job). Backslashes in paths are taken as folder
// separators, so the program's Windows-style paths work unchanged.
#pragma once

#ifndef _WIN32

#include "platform/file_ops.h"

class HostFileOps : public FileOps {
 public:
  bool Exists(const std::string& path) override;
  bool Move(const std::string& from, const std::string& to) override;
  bool Copy(const std::string& from, const std::string& to) override;
  bool Delete(const std::string& path) override;
  bool Flush(const std::string& path) override;
  bool ReadAll(const std::string& path, std::string& bytes) override;
  bool WriteAll(const std::string& path, const std::string& bytes) override;
  bool IsEmptyFile(const std::string& path) override;
  bool SizeOf(const std::string& path, unsigned long long& size) override;
  bool MakeFolder(const std::string& path) override;
  bool ListFiles(const std::string& folder, std::vector<std::string>& names) override;
};

#endif
