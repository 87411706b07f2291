// A fresh folder under the temporary folder for one test, removed with
// everything in it when the test ends; and whole files read and written as
// bytes. Portable: the host tests and the Windows tests under Wine use the same.
#pragma once

#include <filesystem>
#include <string>

class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  // The folder's full path, without a trailing separator.
  std::string Path() const { return dir_.string(); }
  // The full path of `name` inside the folder (the file need not exist).
  std::string File(const std::string& name) const { return (dir_ / name).string(); }
  // Makes a folder inside this one and returns its full path.
  std::string MakeFolder(const std::string& name) const;

 private:
  std::filesystem::path dir_;
};

// Writes `bytes` as the whole file; false when it cannot be written.
bool WriteBytes(const std::string& path, const std::string& bytes);
// The whole file; empty when it cannot be read.
std::string ReadBytes(const std::string& path);
