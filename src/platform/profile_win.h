// The profile over a settings file through the Windows private-profile
// functions (GetPrivateProfileIntA, GetPrivateProfileStringA,
// WritePrivateProfileStringA).
#pragma once

#include <string>

#include "platform/profile.h"

class WinProfile : public Profile {
 public:
  // `path` is the full path of the file, e.g. InstallDir + "\\options.ini";
  // the profile functions would otherwise look in the Windows folder.
  explicit WinProfile(std::string path);

  int32_t GetInt(const char* section, const char* key, int32_t def) override;
  std::string GetString(const char* section, const char* key, const std::string& def) override;
  std::optional<std::string> GetBoundedString(const char* section, const char* key, const std::string& def,
                                              size_t limit) override;
  bool WriteInt(const char* section, const char* key, int32_t value) override;
  bool WriteString(const char* section, const char* key, const std::string& value) override;

  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};
