#include "platform/profile_sections.h"

#include <utility>

#include "platform/profile_rules.h"

namespace {

// A section of the settings file is well under this; larger ones grow the
// buffer by doubling, up to the last size tried.
constexpr size_t kFirstBufferSize = 4096;
constexpr size_t kLargestBufferSize = size_t{1} << 24;

// Printable ASCII: names made only of these compare the same way under every
// case rule the platform may use.
bool IsPlainName(const std::string& name) {
  for (char c : name)
    if (c < 0x20 || c > 0x7E) return false;
  return true;
}

}  // namespace

SectionValues SectionValues::FromBlock(const char* block, size_t length) {
  SectionValues values;
  size_t pos = 0;
  while (pos < length && block[pos] != '\0') {
    size_t end = pos;
    while (end < length && block[end] != '\0') ++end;
    const std::string line(block + pos, end - pos);
    pos = end + 1;
    // The platform trims already; trimming again costs nothing and keeps the
    // lookups right should a block ever come untrimmed.
    Entry entry;
    const size_t equals = line.find('=');
    if (equals == std::string::npos) {
      entry.name = TrimProfileBlanks(line);
    } else {
      entry.name = TrimProfileBlanks(line.substr(0, equals));
      entry.value = TrimProfileBlanks(line.substr(equals + 1));
    }
    values.entries_.push_back(std::move(entry));
  }
  return values;
}

SectionValues::Lookup SectionValues::Find(const std::string& key, const Entry*& found) const {
  const std::string wanted = TrimProfileBlanks(key);
  // Empty names, comment names (missing from the block) and names that are
  // more than printable ASCII or may stand for what the conversion lost.
  if (wanted.empty() || wanted.front() == ';' || !IsPlainName(wanted) ||
      wanted.find('?') != std::string::npos)
    return Lookup::kAskPlatform;
  for (const Entry& entry : entries_) {
    // An earlier name beyond ASCII might equal the key by the platform's rules.
    if (!IsPlainName(entry.name)) return Lookup::kAskPlatform;
    if (ProfileNamesEqual(entry.name, wanted)) {
      found = &entry;
      return Lookup::kFound;
    }
  }
  return Lookup::kMissing;
}

std::optional<int32_t> SectionValues::GetInt(const std::string& key, int32_t def) const {
  const Entry* entry = nullptr;
  switch (Find(key, entry)) {
    case Lookup::kAskPlatform:
      return std::nullopt;
    case Lookup::kMissing:
      return def;
    case Lookup::kFound:
      break;
  }
  return entry->value ? ProfileIntFromStored(*entry->value, def) : def;
}

std::optional<std::string> SectionValues::GetString(const std::string& key, const std::string& def) const {
  const Entry* entry = nullptr;
  switch (Find(key, entry)) {
    case Lookup::kAskPlatform:
      return std::nullopt;
    case Lookup::kMissing:
      return ProfileDefaultText(def);
    case Lookup::kFound:
      break;
  }
  return entry->value ? ProfileUnquoted(*entry->value) : ProfileDefaultText(def);
}

SectionProfile::SectionProfile(SectionRead read, Profile& perKey) : read_(std::move(read)), perKey_(perKey) {}

// A null section or key means something else to the platform (the list of
// names): those reads are its own.
int32_t SectionProfile::GetInt(const char* section, const char* key, int32_t def) {
  if (const SectionValues* values = key ? Section(section) : nullptr)
    if (const std::optional<int32_t> value = values->GetInt(key, def)) return *value;
  return perKey_.GetInt(section, key, def);
}

std::string SectionProfile::GetString(const char* section, const char* key, const std::string& def) {
  if (const SectionValues* values = key ? Section(section) : nullptr)
    if (std::optional<std::string> value = values->GetString(key, def)) return std::move(*value);
  return perKey_.GetString(section, key, def);
}

bool SectionProfile::WriteInt(const char* section, const char* key, int32_t value) {
  sections_.clear();  // the next read sees the file as written
  return perKey_.WriteInt(section, key, value);
}

bool SectionProfile::WriteString(const char* section, const char* key, const std::string& value) {
  sections_.clear();
  return perKey_.WriteString(section, key, value);
}

const SectionValues* SectionProfile::Section(const char* name) {
  if (!name) return nullptr;
  // The per-key reads trim the section name; the section read does not.
  const std::string trimmed = TrimProfileBlanks(name);
  auto at = sections_.find(trimmed);
  if (at == sections_.end()) at = sections_.emplace(trimmed, ReadSection(trimmed)).first;
  return at->second ? &*at->second : nullptr;
}

std::optional<SectionValues> SectionProfile::ReadSection(const std::string& name) {
  // A block that fills the buffer may have been cut short: grow and read again.
  for (size_t size = kFirstBufferSize; size <= kLargestBufferSize; size *= 2) {
    std::vector<char> buffer(size);
    ++reads_;
    const std::optional<size_t> length = read_(name, buffer.data(), size);
    if (!length || *length > size) return std::nullopt;
    if (*length + 2 < size) return SectionValues::FromBlock(buffer.data(), *length);
  }
  return std::nullopt;
}
