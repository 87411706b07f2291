#ifndef _WIN32

#include "platform/file_ops_host.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/storage_memory.h"

namespace fs = std::filesystem;

namespace {

fs::path HostPath(std::string path) {
  std::replace(path.begin(), path.end(), '\\', '/');
  return fs::path(path);
}

}  // namespace

bool HostFileOps::Exists(const std::string& path) {
  std::error_code ec;
  return !path.empty() && fs::exists(HostPath(path), ec);
}

bool HostFileOps::Move(const std::string& from, const std::string& to) {
  std::error_code ec;
  fs::rename(HostPath(from), HostPath(to), ec);
  return !ec;
}

bool HostFileOps::Copy(const std::string& from, const std::string& to) {
  std::error_code ec;
  fs::copy_file(HostPath(from), HostPath(to), fs::copy_options::overwrite_existing, ec);
  return !ec;
}

bool HostFileOps::Delete(const std::string& path) {
  std::error_code ec;
  fs::remove(HostPath(path), ec);
  return !ec;
}

bool HostFileOps::Flush(const std::string& path) {
  const int fd = ::open(HostPath(path).c_str(), O_RDONLY);
  if (fd < 0) return false;
  const bool ok = ::fsync(fd) == 0;
  ::close(fd);
  return ok;
}

bool HostFileOps::ReadAll(const std::string& path, std::string& bytes) {
  std::ifstream in(HostPath(path), std::ios::binary);
  if (!in) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

bool HostFileOps::WriteAll(const std::string& path, const std::string& bytes) {
  std::ofstream out(HostPath(path), std::ios::binary | std::ios::trunc);
  if (!out) return false;
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  return !out.fail();
}

bool HostFileOps::IsEmptyFile(const std::string& path) {
  std::error_code ec;
  const fs::path file = HostPath(path);
  return fs::is_regular_file(file, ec) && fs::file_size(file, ec) == 0 && !ec;
}

bool HostFileOps::SizeOf(const std::string& path, unsigned long long& size) {
  std::error_code ec;
  const fs::path file = HostPath(path);
  if (!fs::is_regular_file(file, ec)) return false;
  size = fs::file_size(file, ec);
  return !ec;
}

bool HostFileOps::MakeFolder(const std::string& path) {
  std::error_code ec;
  fs::create_directory(HostPath(path), ec);
  return fs::is_directory(HostPath(path), ec);
}

bool HostFileOps::ListFiles(const std::string& folder, std::vector<std::string>& names) {
  names.clear();
  std::error_code ec;
  for (fs::directory_iterator it(HostPath(folder), ec), end; !ec && it != end; it.increment(ec)) {
    if (it->is_regular_file(ec)) names.push_back(it->path().filename().string());
  }
  return !ec;
}

FileOps& PlatformFileOps() {
  static HostFileOps ops;
  return ops;
}

StorageBackend& PlatformStorage() {
  static MemoryStorageBackend backend(PlatformFileOps());
  return backend;
}

#endif
