#include "platform/profile_sections_win.h"

#include <windows.h>

#include <utility>

std::optional<size_t> ReadProfileSection(const std::string& path, const std::string& section, char* buffer,
                                         size_t size) {
  // The function reports nothing but the length; the error code tells an
  // absent section or file (the per-key reads give their defaults there) from
  // anything else, which the per-key reads get to answer. Without the folder
  // those give the default text with its quotes, unlike an absent file.
  ::SetLastError(ERROR_SUCCESS);
  const DWORD length = ::GetPrivateProfileSectionA(section.c_str(), buffer, static_cast<DWORD>(size), path.c_str());
  if (length == 0) {
    const DWORD error = ::GetLastError();
    if (error != ERROR_SUCCESS && error != ERROR_FILE_NOT_FOUND) return std::nullopt;
  }
  return length;
}

WinSectionProfile::WinSectionProfile(std::string path)
    : perKey_(std::move(path)),
      sections_([this](const std::string& section, char* buffer, size_t size) {
        return ReadProfileSection(perKey_.Path(), section, buffer, size);
      }, perKey_) {}

int32_t WinSectionProfile::GetInt(const char* section, const char* key, int32_t def) {
  return sections_.GetInt(section, key, def);
}

std::string WinSectionProfile::GetString(const char* section, const char* key, const std::string& def) {
  return sections_.GetString(section, key, def);
}

bool WinSectionProfile::WriteInt(const char* section, const char* key, int32_t value) {
  return sections_.WriteInt(section, key, value);
}

bool WinSectionProfile::WriteString(const char* section, const char* key, const std::string& value) {
  return sections_.WriteString(section, key, value);
}
