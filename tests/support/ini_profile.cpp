#include "support/ini_profile.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <optional>
#include <utility>
#include <vector>

namespace {

struct IniKey {
  std::string name;
  std::optional<std::string> value;  // none: a line without '='
};

struct IniSection {
  std::string name;
  std::vector<IniKey> keys;
};

// The file as the profile functions see it. The first section is the unnamed
// one holding the lines before any section header; it is always there.
struct IniDocument {
  std::string byteOrderMark;
  std::vector<IniSection> sections{IniSection{}};
};

constexpr char kUtf8Bom[] = "\xEF\xBB\xBF";

std::optional<std::string> ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void ParseLine(const std::string& line, IniDocument& doc) {
  if (line.front() == '[') {
    const size_t close = line.rfind(']');
    if (close != std::string::npos) {
      doc.sections.push_back(IniSection{TrimProfileBlanks(line.substr(1, close - 1)), {}});
      return;
    }
    // Without a closing bracket the line is an ordinary key line.
  }
  IniKey key;
  const size_t equals = line.find('=');
  if (equals == std::string::npos) {
    key.name = line;
  } else {
    key.name = TrimProfileBlanks(line.substr(0, equals));
    key.value = TrimProfileLeadingBlanks(line.substr(equals + 1));
  }
  std::vector<IniKey>& keys = doc.sections.back().keys;
  // Consecutive keys with empty names collapse into the first one.
  if (key.name.empty() && !keys.empty() && keys.back().name.empty()) return;
  keys.push_back(std::move(key));
}

IniDocument ParseDocument(const std::string& bytes) {
  IniDocument doc;
  size_t pos = 0;
  if (bytes.compare(0, 3, kUtf8Bom) == 0) {
    doc.byteOrderMark = kUtf8Bom;
    pos = 3;
  }
  while (pos < bytes.size()) {
    size_t end = bytes.find_first_of("\r\n", pos);
    if (end == std::string::npos) end = bytes.size();
    const std::string line = TrimProfileBlanks(bytes.substr(pos, end - pos));
    pos = end;
    while (pos < bytes.size() && (bytes[pos] == '\r' || bytes[pos] == '\n')) ++pos;
    if (!line.empty()) ParseLine(line, doc);
  }
  return doc;
}

std::string SerializeDocument(const IniDocument& doc) {
  std::string out = doc.byteOrderMark;
  for (const IniSection& section : doc.sections) {
    if (!section.name.empty()) out += "[" + section.name + "]\r\n";
    for (const IniKey& key : section.keys) {
      out += key.name;
      if (key.value) out += "=" + *key.value;
      out += "\r\n";
    }
  }
  return out;
}

IniSection* FindSection(IniDocument& doc, const std::string& name) {
  const std::string wanted = TrimProfileBlanks(name);
  for (IniSection& section : doc.sections)
    if (ProfileNamesEqual(section.name, wanted)) return &section;
  return nullptr;
}

IniKey* FindKey(IniSection& section, const std::string& name) {
  const std::string wanted = TrimProfileBlanks(name);
  for (IniKey& key : section.keys)
    if (ProfileNamesEqual(key.name, wanted)) return &key;
  return nullptr;
}

std::optional<std::string> StoredValue(const std::string& path, const char* section, const char* key) {
  const std::optional<std::string> bytes = ReadFileBytes(path);
  if (!bytes) return std::nullopt;
  IniDocument doc = ParseDocument(*bytes);
  IniSection* found = FindSection(doc, section);
  if (!found) return std::nullopt;
  IniKey* entry = FindKey(*found, key);
  if (!entry) return std::nullopt;
  return entry->value;
}

}  // namespace


IniFileProfile::IniFileProfile(std::string path) : path_(std::move(path)) {}

int32_t IniFileProfile::GetInt(const char* section, const char* key, int32_t def) {
  const std::optional<std::string> value = StoredValue(path_, section, key);
  return value ? ProfileIntFromStored(*value, def) : def;
}

std::string IniFileProfile::GetString(const char* section, const char* key, const std::string& def) {
  const std::optional<std::string> value = StoredValue(path_, section, key);
  return value ? ProfileUnquoted(*value) : ProfileDefaultText(def);
}

bool IniFileProfile::WriteInt(const char* section, const char* key, int32_t value) {
  return WriteString(section, key, std::to_string(value));
}

bool IniFileProfile::WriteString(const char* section, const char* key, const std::string& value) {
  const std::optional<std::string> bytes = ReadFileBytes(path_);
  IniDocument doc = bytes ? ParseDocument(*bytes) : IniDocument{};
  const std::string newValue = TrimProfileLeadingBlanks(value);

  IniSection* target = FindSection(doc, section);
  if (!target) {
    doc.sections.push_back(IniSection{TrimProfileLeadingBlanks(section), {}});
    target = &doc.sections.back();
  }
  IniKey* entry = FindKey(*target, key);
  if (entry && entry->value == newValue) return true;
  if (entry) {
    entry->value = newValue;
  } else {
    target->keys.push_back(IniKey{TrimProfileLeadingBlanks(key), newValue});
  }

  std::ofstream out(path_, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  const std::string text = SerializeDocument(doc);
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  return static_cast<bool>(out.flush());
}
