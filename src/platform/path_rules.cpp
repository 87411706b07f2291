#include "platform/path_rules.h"

namespace {

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

}  // namespace

bool IsPathSeparator(char c) { return c == '\\' || c == '/'; }

bool StartsWithDrive(const std::string& path, std::size_t at) {
  return path.size() >= at + 2 && IsAsciiLetter(path[at]) && path[at + 1] == ':';
}

bool IsDriveRoot(const std::string& path) {
  return (path.size() == 2 || (path.size() == 3 && IsPathSeparator(path[2]))) && StartsWithDrive(path);
}

std::string WithoutFinalSeparators(std::string path) {
  while (!path.empty() && IsPathSeparator(path.back())) path.pop_back();
  return path;
}

std::string WithFinalBackslash(const std::string& folder) {
  if (folder.empty()) return {};
  return WithoutFinalSeparators(folder) + "\\";
}

std::string JoinPath(const std::string& folder, const std::string& name) {
  return WithFinalBackslash(folder) + name;
}

std::string ResolveAgainstFolder(const std::string& folder, const std::string& path) {
  if (path.empty()) return path;
  if (StartsWithDrive(path)) return path;  // "C:\x" absolute, "C:x" left to that drive's own folder
  if (IsPathSeparator(path[0])) {
    const bool unc = path.size() >= 2 && IsPathSeparator(path[1]);
    if (unc || !StartsWithDrive(folder)) return path;
    return folder.substr(0, 2) + path;
  }
  return JoinPath(folder, path);
}

std::string ContainingFolder(const std::string& path) {
  const std::string item = WithoutFinalSeparators(path);
  const std::size_t cut = item.find_last_of("\\/:");
  if (cut == std::string::npos) return {};
  std::string folder = item.substr(0, cut + 1);
  if (folder.back() == '/') folder.back() = '\\';
  return folder;
}
