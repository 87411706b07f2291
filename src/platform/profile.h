// Reading and writing "section / key = value" settings files with the rules of
// the Windows profile functions. The program uses the real functions
// (WinProfile); the host tests use IniFileProfile, which copies their behaviour.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

// The longest value the program reads whole, in characters (1 MiB): far
// above any value it writes or keeps (paths have 260 characters, a command
// line at most 32767), and small enough that a file made to be hostile cannot
// make one read take memory without end. A caller may hold a value to less.
inline constexpr size_t kProfileValueLimit = size_t{1} << 20;

class Profile {
 public:
  virtual ~Profile() = default;
  // The leading signed decimal number of the value; missing key or empty value
  // gives `def`, text without leading digits gives 0.
  virtual int32_t GetInt(const char* section, const char* key, int32_t def) = 0;
  virtual std::string GetString(const char* section, const char* key, const std::string& def) = 0;
  // The value when it has at most `limit` characters (no more than
  // kProfileValueLimit); nothing for a longer one, which the platform's
  // profile is not asked to read whole.
  virtual std::optional<std::string> GetBoundedString(const char* section, const char* key, const std::string& def,
                                                      size_t limit) {
    std::string value = GetString(section, key, def);
    if (value.size() > limit) return std::nullopt;
    return value;
  }
  // Creates the file, section and key as needed; an existing key keeps its place.
  virtual bool WriteInt(const char* section, const char* key, int32_t value) = 0;
  virtual bool WriteString(const char* section, const char* key, const std::string& value) = 0;
};
