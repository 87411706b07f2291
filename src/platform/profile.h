// Reading and writing "section / key = value" settings files with the rules of
// the Windows profile functions. The program uses the real functions
// (WinProfile); the host tests use IniFileProfile, which copies their behaviour.
#pragma once

#include <cstdint>
#include <string>

class Profile {
 public:
  virtual ~Profile() = default;
  // The leading signed decimal number of the value; missing key or empty value
  // gives `def`, text without leading digits gives 0.
  virtual int32_t GetInt(const char* section, const char* key, int32_t def) = 0;
  virtual std::string GetString(const char* section, const char* key, const std::string& def) = 0;
  // Creates the file, section and key as needed; an existing key keeps its place.
  virtual bool WriteInt(const char* section, const char* key, int32_t value) = 0;
  virtual bool WriteString(const char* section, const char* key, const std::string& value) = 0;
};
