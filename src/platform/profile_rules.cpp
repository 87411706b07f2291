#include "platform/profile_rules.h"

#include <algorithm>

#include "platform/profile.h"

namespace {

// The integer reader copies at most this many characters of a value.
constexpr size_t kIntegerTextLimit = 29;

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

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
  std::string result = TrimProfileLeadingBlanks(text);
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

std::string TrimProfileLeadingBlanks(const std::string& text) {
  size_t begin = 0;
  while (begin < text.size() && IsProfileBlank(text[begin])) ++begin;
  return text.substr(begin);
}

ProfileReadStep NextProfileRead(size_t bufferSize, size_t length, size_t limit, size_t& nextSize) {
  // Wine drops the last character of a quoted value that exactly fills the
  // buffer, so only a result with room to spare is surely whole: a buffer of
  // the limit plus three holds every value of the limit's length whole.
  const size_t largestBuffer = std::min(limit, kProfileValueLimit) + 3;
  if (length + 2 < bufferSize) return ProfileReadStep::kWhole;
  if (bufferSize >= largestBuffer) return ProfileReadStep::kTooLong;
  nextSize = std::min(std::max<size_t>(bufferSize * 2, 16), largestBuffer);
  return ProfileReadStep::kGrow;
}
