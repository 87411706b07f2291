#include "platform/file_ops_win.h"

#include <windows.h>

#include "platform/handles_win.h"
#include "platform/quiet_errors_win.h"

namespace {

static_assert(static_cast<UINT>(DriveKind::kRemovable) == DRIVE_REMOVABLE &&
              static_cast<UINT>(DriveKind::kFixed) == DRIVE_FIXED &&
              static_cast<UINT>(DriveKind::kRemote) == DRIVE_REMOTE &&
              static_cast<UINT>(DriveKind::kCdRom) == DRIVE_CDROM &&
              static_cast<UINT>(DriveKind::kRamDisk) == DRIVE_RAMDISK);

UniqueKernelHandle OpenFile(const std::string& path, DWORD access, DWORD share, DWORD disposition) {
  return UniqueKernelHandle(
      ::CreateFileA(path.c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr));
}

struct FindHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return INVALID_HANDLE_VALUE; }
  static bool IsValid(Handle h) { return h != INVALID_HANDLE_VALUE && h != nullptr; }
  static void Close(Handle h) { ::FindClose(h); }
};

}  // namespace

bool WriteWholeBuffer(void* file, const void* data, unsigned long size) {
  const char* p = static_cast<const char*>(data);
  while (size > 0) {
    DWORD written = 0;
    if (!::WriteFile(file, p, size, &written, nullptr) || written == 0) return false;
    p += written;
    size -= written;
  }
  return true;
}

bool WinFileOps::Exists(const std::string& path) {
  if (path.empty()) return false;
  QuietErrorMode quiet;
  return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool WinFileOps::Move(const std::string& from, const std::string& to) {
  return ::MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool WinFileOps::Copy(const std::string& from, const std::string& to) {
  return ::CopyFileA(from.c_str(), to.c_str(), FALSE) != 0;
}

bool WinFileOps::Delete(const std::string& path) {
  if (::DeleteFileA(path.c_str())) return true;
  const DWORD error = ::GetLastError();
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

bool WinFileOps::Flush(const std::string& path) {
  UniqueKernelHandle file = OpenFile(path, GENERIC_WRITE, FILE_SHARE_READ, OPEN_EXISTING);
  return file && ::FlushFileBuffers(file.Get()) != 0;
}

bool WinFileOps::ReadAll(const std::string& path, std::string& bytes) {
  UniqueKernelHandle file = OpenFile(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
  if (!file) return false;
  DWORD high = 0;
  const DWORD size = ::GetFileSize(file.Get(), &high);
  if ((size == INVALID_FILE_SIZE && ::GetLastError() != NO_ERROR) || high != 0) return false;
  bytes.assign(size, '\0');
  DWORD done = 0;
  while (done < size) {
    DWORD got = 0;
    if (!::ReadFile(file.Get(), bytes.data() + done, size - done, &got, nullptr) || got == 0) return false;
    done += got;
  }
  return true;
}

bool WinFileOps::WriteAll(const std::string& path, const std::string& bytes) {
  UniqueKernelHandle file = OpenFile(path, GENERIC_WRITE, 0, CREATE_ALWAYS);
  return file && WriteWholeBuffer(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()));
}

bool WinFileOps::IsEmptyFile(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return false;
  return !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && data.nFileSizeHigh == 0 && data.nFileSizeLow == 0;
}

bool WinFileOps::SizeOf(const std::string& path, unsigned long long& size) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return false;
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return false;
  size = (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  return true;
}

DriveKind WinFileOps::DriveKindOf(char letter) {
  const char root[4] = {letter, ':', '\\', '\0'};
  return static_cast<DriveKind>(::GetDriveTypeA(root));
}

bool WinFileOps::MakeFolder(const std::string& path) {
  if (::CreateDirectoryA(path.c_str(), nullptr)) return true;
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool WinFileOps::ListFiles(const std::string& folder, std::vector<std::string>& names) {
  names.clear();
  QuietErrorMode quiet;
  WIN32_FIND_DATAA found = {};
  const std::string pattern = folder + "\\*";
  UniqueHandle<FindHandleTraits> search(::FindFirstFileA(pattern.c_str(), &found));
  if (!search) return ::GetLastError() == ERROR_FILE_NOT_FOUND;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
  } while (::FindNextFileA(search.Get(), &found));
  return ::GetLastError() == ERROR_NO_MORE_FILES;
}

FileOps& PlatformFileOps() {
  static WinFileOps ops;
  return ops;
}
