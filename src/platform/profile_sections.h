// A profile that reads a settings file a whole section at a time. Each per-key
// read of the platform opens and checks the file again; the platform's section
// read hands back all lines of a section in one block ("name=value", each
// ended by a zero, a second zero after the last), from which every key of that
// section is answered with the rules of the per-key reads:
// - the block holds names and values already trimmed, lines without '=' as a
//   bare name, and no lines whose name starts with ';' (the per-key read finds
//   those, so such names are asked of the platform);
// - the first entry of a name wins, names compare without regard to ASCII
//   case, a value loses its enclosing quotes, integers follow
//   ProfileIntFromStored, a missing key gives the default as the text read does.
// Names with bytes outside printable ASCII, and names the block may have
// lost in the code-page conversion ('?'), are left to the platform's per-key
// read too: its case rules beyond ASCII are its own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/profile.h"

class SectionValues {
 public:
  SectionValues() = default;  // a section without lines (or without a file)
  // The first `length` characters of a section read's block; the zeros that
  // end it may be included or not.
  static SectionValues FromBlock(const char* block, size_t length);

  // The answers of the per-key reads, or none where only the platform can tell.
  std::optional<int32_t> GetInt(const std::string& key, int32_t def) const;
  std::optional<std::string> GetString(const std::string& key, const std::string& def) const;

 private:
  struct Entry {
    std::string name;
    std::optional<std::string> value;  // none: a line without '='
  };
  enum class Lookup { kFound, kMissing, kAskPlatform };
  Lookup Find(const std::string& key, const Entry*& found) const;

  std::vector<Entry> entries_;
};

// One section read of the platform: fills at most `size` characters of
// `buffer` and returns how many it filled before the block's last zero; a
// block cut short returns size - 2. None: the read failed.
using SectionRead = std::function<std::optional<size_t>(const std::string& section, char* buffer, size_t size)>;

// Answers reads from one section read per section, kept until the next write;
// what the sections cannot answer, and every write, goes to `perKey` (the
// platform's per-key functions over the same file).
class SectionProfile : public Profile {
 public:
  SectionProfile(SectionRead read, Profile& perKey);

  int32_t GetInt(const char* section, const char* key, int32_t def) override;
  std::string GetString(const char* section, const char* key, const std::string& def) override;
  bool WriteInt(const char* section, const char* key, int32_t value) override;
  bool WriteString(const char* section, const char* key, const std::string& value) override;

  // Section reads made so far, retries of a grown buffer included.
  int SectionReads() const { return reads_; }

 private:
  // None: the section could not be read, ask per key.
  const SectionValues* Section(const char* name);
  std::optional<SectionValues> ReadSection(const std::string& name);

  SectionRead read_;
  Profile& perKey_;
  std::map<std::string, std::optional<SectionValues>> sections_;  // by trimmed name as asked
  int reads_ = 0;
};
