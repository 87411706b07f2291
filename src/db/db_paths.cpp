#include "db/db_paths.h"

#include <cctype>

namespace {

bool IsSeparatorChar(char c) { return c == '\\' || c == '/'; }

bool HasDriveLetter(const std::string& path) {
  return path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0]));
}

}  // namespace

std::string JoinPath(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  if (IsSeparatorChar(folder.back())) return folder + name;
  return folder + "\\" + name;
}

std::string ResolveAgainstFolder(const std::string& folder, const std::string& path) {
  if (path.empty()) return path;
  if (HasDriveLetter(path)) return path;  // "C:\x" absolute, "C:x" left to that drive's own folder
  if (IsSeparatorChar(path[0])) {
    const bool unc = path.size() >= 2 && IsSeparatorChar(path[1]);
    if (unc || !HasDriveLetter(folder)) return path;
    return folder.substr(0, 2) + path;
  }
  return JoinPath(folder, path);
}
