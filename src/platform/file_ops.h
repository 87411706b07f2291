// Whole-file operations the save protocol is written against. Windows:
// WinFileOps (MoveFileExA, CopyFileA, ...); host: HostFileOps over plain files,
// or MemoryFileSystem when a test needs to inject faults.
#pragma once

#include <string>
#include <vector>

// The kind of a drive, numbered as the system's drive types are.
enum class DriveKind : unsigned {
  kUnknown = 0,
  kNoRoot = 1,
  kRemovable = 2,
  kFixed = 3,
  kRemote = 4,
  kCdRom = 5,
  kRamDisk = 6,
};

class FileOps {
 public:
  virtual ~FileOps() = default;
  // True when anything (file or folder) is at the path.
  virtual bool Exists(const std::string& path) = 0;
  // Renames, replacing an existing destination.
  virtual bool Move(const std::string& from, const std::string& to) = 0;
  // Copies, replacing an existing destination.
  virtual bool Copy(const std::string& from, const std::string& to) = 0;
  // A missing file is no failure.
  virtual bool Delete(const std::string& path) = 0;
  // Forces a closed file's contents to the disk.
  virtual bool Flush(const std::string& path) = 0;
  virtual bool ReadAll(const std::string& path, std::string& bytes) = 0;
  // Creates or truncates the file and writes the bytes in one piece.
  virtual bool WriteAll(const std::string& path, const std::string& bytes) = 0;
  // True only when a file is at the path and is known to hold no bytes; a
  // file that cannot be looked at does not count as empty. The fallback reads
  // the file; the platform implementations ask for its size instead.
  virtual bool IsEmptyFile(const std::string& path) {
    std::string bytes;
    return ReadAll(path, bytes) && bytes.empty();
  }
  // The size of the file at the path, without reading it; false when there is
  // none or it cannot be looked at. The fallback reads the file; the platform
  // implementations ask the file system.
  virtual bool SizeOf(const std::string& path, unsigned long long& size) {
    std::string bytes;
    if (!ReadAll(path, bytes)) return false;
    size = bytes.size();
    return true;
  }
  // Makes the folder; one that is there already is no failure.
  virtual bool MakeFolder(const std::string& path) {
    (void)path;
    return false;
  }
  // The names (not paths) of the files directly inside the folder, in no
  // particular order; false when the folder cannot be listed.
  virtual bool ListFiles(const std::string& folder, std::vector<std::string>& names) {
    (void)folder;
    names.clear();
    return false;
  }
  // The kind of the drive with that letter, from the system's table of drives:
  // the medium is not touched. File systems without drive letters call every
  // drive fixed.
  virtual DriveKind DriveKindOf(char letter) {
    (void)letter;
    return DriveKind::kFixed;
  }
};

// The program's own file operations: WinFileOps on Windows, HostFileOps elsewhere.
FileOps& PlatformFileOps();
