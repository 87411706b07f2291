#include "icons/button_icon.h"

#include "db/db_paths.h"

namespace {

bool EndsWithIconExtension(const std::string& path) {
  static const char* const kExtensions[] = {".exe", ".dll", ".ico", ".cpl", ".EXE", ".DLL", ".ICO", ".CPL"};
  const std::string tail = path.size() > 4 ? path.substr(path.size() - 4) : path;
  for (const char* extension : kExtensions) {
    if (tail == extension) return true;
  }
  return false;
}

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// "scheme://..." in any case, or a mail address link.
bool IsWebAddress(const std::string& path) {
  const std::size_t colon = path.find("://");
  if (colon != std::string::npos && colon > 0) {
    bool scheme = true;
    for (std::size_t i = 0; i < colon; ++i) scheme = scheme && IsLetter(path[i]);
    if (scheme) return true;
  }
  return path.size() > 7 && (path.compare(0, 7, "mailto:") == 0 || path.compare(0, 7, "MAILTO:") == 0);
}

}  // namespace

IconSource ClassifyIconPath(const std::string& path) {
  if (EndsWithIconExtension(path)) return IconSource::IndexedFile;
  if (path.starts_with("http") || path.starts_with("ftp")) return IconSource::WebShortcut;
  return IconSource::Shell;
}

std::string IconPathInFolder(const std::string& iconPath, const std::string& programFolder) {
  if (ClassifyIconPath(iconPath) == IconSource::WebShortcut || IsWebAddress(iconPath)) return iconPath;
  return ResolveAgainstFolder(programFolder, iconPath);
}

std::string WebShortcutPath(const std::string& programFolder) {
  return JoinPath(programFolder, kWebShortcutFileName);
}

GenericIconQuery GenericIconFor(const std::string& path) {
  if (IsWebAddress(path)) return {".url", false};
  if (IsDriveRoot(path)) return {path.substr(0, 2) + "\\", true};
  if (path.empty()) return {"", false};
  if (IsPathSeparator(path.back())) return {path, true};
  const std::size_t lastPart = path.find_last_of("\\/");
  const std::size_t dot = path.rfind('.');
  const bool hasExtension = dot != std::string::npos && (lastPart == std::string::npos || dot > lastPart);
  return {path, !hasExtension};
}

std::vector<IconFallback> IconFallbacks(const std::string& path) {
  if (ClassifyIconPath(path) == IconSource::IndexedFile) {
    return {IconFallback::ShellOfPath, IconFallback::GenericOfKind, IconFallback::SystemDefault};
  }
  // The shell has already been asked for the path itself, or it is a web address.
  return {IconFallback::GenericOfKind, IconFallback::SystemDefault};
}
