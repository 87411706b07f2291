#include "platform/ini_profile.h"

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
// The integer reader copies at most this many characters of a value.
constexpr size_t kIntegerTextLimit = 29;

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string TrimLeading(const std::string& text) {
  size_t begin = 0;
  while (begin < text.size() && IsProfileBlank(text[begin])) ++begin;
  return text.substr(begin);
}


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
    key.value = TrimLeading(line.substr(equals + 1));
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

bool IsQuoted(const std::string& value) {
  return value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front();
}

int DigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'z') return c - 'a' + 10;
  if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
  return -1;
}

}  // namespace

bool IsProfileBlank(char c) {
  switch (c) {
    case ' ': case '\t': case '\n': case '\v': case '\f': case '\r': case '\x1a':
      return true;
    default:
      return false;
  }
}

std::string TrimProfileBlanks(const std::string& text) {
  std::string result = TrimLeading(text);
  while (!result.empty() && IsProfileBlank(result.back())) result.pop_back();
  return result;
}

bool ProfileNamesEqual(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  return true;
}

std::string ProfileUnquoted(const std::string& value) {
  return IsQuoted(value) ? value.substr(1, value.size() - 2) : value;
}

std::string ProfileDefaultText(const std::string& def) {
  std::string text = def;
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return ProfileUnquoted(text);
}

int32_t ProfileIntFromText(const std::string& stored, int32_t def) {
  const std::string text = stored.substr(0, kIntegerTextLimit);
  if (text.empty()) return def;
  size_t pos = 0;
  while (pos < text.size() && static_cast<unsigned char>(text[pos]) <= ' ') ++pos;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) negative = text[pos++] == '-';
  uint32_t base = 10;
  if (text.size() - pos >= 2 && text[pos] == '0') {
    switch (text[pos + 1]) {
      case 'x': base = 16; pos += 2; break;
      case 'o': base = 8; pos += 2; break;
      case 'b': base = 2; pos += 2; break;
      default: break;
    }
  }
  uint32_t total = 0;
  for (; pos < text.size(); ++pos) {
    const int digit = DigitValue(text[pos]);
    if (digit < 0 || static_cast<uint32_t>(digit) >= base) break;
    total = total * base + static_cast<uint32_t>(digit);  // wraps like the platform's
  }
  return static_cast<int32_t>(negative ? 0u - total : total);
}

int32_t ProfileIntFromStored(const std::string& stored, int32_t def) {
  // The integer read is a text read into a buffer of 29 characters and a
  // zero. That read takes what follows an opening quote and drops the closing
  // quote only when there is room for it; with no room to spare (30
  // characters after the opening quote) it drops the last one it copied.
  if (!IsQuoted(stored)) return ProfileIntFromText(stored, def);
  const std::string afterQuote = stored.substr(1);
  std::string text = afterQuote.substr(0, kIntegerTextLimit);
  if (afterQuote.size() <= kIntegerTextLimit + 1) text.pop_back();
  return ProfileIntFromText(text, def);
}

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
  const std::string newValue = TrimLeading(value);

  IniSection* target = FindSection(doc, section);
  if (!target) {
    doc.sections.push_back(IniSection{TrimLeading(section), {}});
    target = &doc.sections.back();
  }
  IniKey* entry = FindKey(*target, key);
  if (entry && entry->value == newValue) return true;
  if (entry) {
    entry->value = newValue;
  } else {
    target->keys.push_back(IniKey{TrimLeading(key), newValue});
  }

  std::ofstream out(path_, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  const std::string text = SerializeDocument(doc);
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  return static_cast<bool>(out.flush());
}
