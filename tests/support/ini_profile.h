// A profile over a settings file on any platform, with the rules the Windows
// profile functions follow (as Wine implements them), so that host builds read
// and write "options.ini" exactly as the program does on Windows:
// - every call reads the file afresh; a write that changes something rewrites
//   the whole file with CRLF line ends, no blank lines, and names and values
//   trimmed of surrounding blanks; a write that changes nothing leaves it alone;
// - sections and keys match without regard to ASCII case, the first of several
//   equal ones wins, and a new section or key is appended at the end;
// - a name being created keeps its trailing blanks ("ShowYear " is written as
//   such) but a name read from the file loses them, so "ShowYear " and
//   "ShowYear" are the same key;
// - a value quoted with ' or " is read without its quotes;
// - integers: an empty or missing value gives the default, otherwise the first
//   29 characters are read as a signed number with optional "0x"/"0o"/"0b"
//   prefix, stopping at the first non-digit and wrapping at 32 bits (a quoted
//   value is cut before its quotes come off: see ProfileIntFromStored).
// Texts are bytes; a UTF-8 byte-order mark is kept as it is.
#pragma once

#include <string>

#include "platform/profile.h"
#include "platform/profile_rules.h"

class IniFileProfile : public Profile {
 public:
  explicit IniFileProfile(std::string path);

  int32_t GetInt(const char* section, const char* key, int32_t def) override;
  std::string GetString(const char* section, const char* key, const std::string& def) override;
  bool WriteInt(const char* section, const char* key, int32_t value) override;
  bool WriteString(const char* section, const char* key, const std::string& value) override;

  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};
