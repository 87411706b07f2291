// File operations over the Windows file functions (ANSI).
#pragma once

#include "platform/file_ops.h"

class WinFileOps : public FileOps {
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
  DriveKind DriveKindOf(char letter) override;
  bool MakeFolder(const std::string& path) override;
  bool ListFiles(const std::string& folder, std::vector<std::string>& names) override;
};

// Writes all bytes to an open file, however many calls WriteFile needs.
bool WriteWholeBuffer(void* file, const void* data, unsigned long size);
