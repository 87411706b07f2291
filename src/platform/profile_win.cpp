#include "platform/profile_win.h"

#include <windows.h>

#include <utility>

#include "platform/profile_rules.h"
#include <vector>

WinProfile::WinProfile(std::string path) : path_(std::move(path)) {}

int32_t WinProfile::GetInt(const char* section, const char* key, int32_t def) {
  // The platform returns the value as UINT; the bits are the signed number.
  return static_cast<int32_t>(GetPrivateProfileIntA(section, key, def, path_.c_str()));
}

std::string WinProfile::GetString(const char* section, const char* key, const std::string& def) {
  // A value too long to read whole reads as missing: a cut one would be a
  // different value.
  return GetBoundedString(section, key, def, kProfileValueLimit).value_or(ProfileDefaultText(def));
}

std::optional<std::string> WinProfile::GetBoundedString(const char* section, const char* key,
                                                        const std::string& def, size_t limit) {
  // A result that fills the buffer may have been cut short: grow and ask again.
  std::vector<char> buffer(256);
  for (;;) {
    const DWORD size = static_cast<DWORD>(buffer.size());
    const DWORD length =
        GetPrivateProfileStringA(section, key, def.c_str(), buffer.data(), size, path_.c_str());
    size_t next = 0;
    switch (NextProfileRead(buffer.size(), length, limit, next)) {
      case ProfileReadStep::kWhole: return std::string(buffer.data(), length);
      case ProfileReadStep::kTooLong: return std::nullopt;
      case ProfileReadStep::kGrow: buffer.resize(next); break;
    }
  }
}

bool WinProfile::WriteInt(const char* section, const char* key, int32_t value) {
  return WriteString(section, key, std::to_string(value));
}

bool WinProfile::WriteString(const char* section, const char* key, const std::string& value) {
  return WritePrivateProfileStringA(section, key, value.c_str(), path_.c_str()) != FALSE;
}
