#include "editing/browse/name_rules.h"

#include <cctype>
#include <cstring>

std::string NameBeforeLastDot(const std::string& fileName) {
  const size_t dot = fileName.rfind('.');
  return dot == std::string::npos ? std::string() : fileName.substr(0, dot);
}

std::string FileNameOf(const std::string& path) {
  const size_t cut = path.find_last_of("\\/:");
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

std::string FolderOf(const std::string& path) {
  const size_t cut = path.find_last_of("\\/:");
  if (cut == std::string::npos) return {};
  std::string folder = path.substr(0, cut + 1);
  // "C:name" has the folder "C:"; keep it as the system would resolve it.
  if (folder.back() == '/') folder.back() = '\\';
  return folder;
}

bool ContainsExact(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }

namespace {

bool StartsWithNoCase(const std::string& text, const char* prefix) {
  const size_t length = std::strlen(prefix);
  if (text.size() < length) return false;
  for (size_t i = 0; i < length; ++i) {
    if (std::tolower(static_cast<unsigned char>(text[i])) != prefix[i]) return false;
  }
  return true;
}

}  // namespace

std::string UrlButtonName(const std::string& url) {
  for (const char* scheme : {"http://", "https://"}) {
    if (StartsWithNoCase(url, scheme)) return url.substr(std::strlen(scheme));
  }
  return url;
}
