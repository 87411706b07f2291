#include "db/button_icon.h"

namespace {

bool EndsWithIconExtension(const std::string& path) {
  static const char* const kExtensions[] = {".exe", ".dll", ".ico", ".cpl", ".EXE", ".DLL", ".ICO", ".CPL"};
  const std::string tail = path.size() > 4 ? path.substr(path.size() - 4) : path;
  for (const char* extension : kExtensions) {
    if (tail == extension) return true;
  }
  return false;
}

}  // namespace

IconSource ClassifyIconPath(const std::string& path) {
  if (EndsWithIconExtension(path)) return IconSource::IndexedFile;
  if (path.starts_with("http") || path.starts_with("ftp")) return IconSource::WebShortcut;
  return IconSource::Shell;
}

std::string WebShortcutPath(const std::string& programFolder) {
  std::string path = programFolder;
  if (!path.empty() && path.back() != '\\' && path.back() != '/') path += '\\';
  return path + kWebShortcutFileName;
}
