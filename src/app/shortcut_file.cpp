#include "app/shortcut_file.h"

#include <cstdint>
#include <optional>

#include "platform/byte_codec.h"

namespace {

constexpr uint32_t kHeaderSize = 0x4C;
// The shell link class, as the header stores it.
constexpr unsigned char kLinkClass[16] = {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                          0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};
constexpr uint32_t kHasIdList = 0x01, kHasLinkInfo = 0x02, kHasWorkingDir = 0x10, kIsUnicode = 0x80;
constexpr uint32_t kStringsBeforeWorkingDir[] = {0x04, 0x08};  // the name, the relative path
constexpr uint32_t kLocalBasePath = 0x01;
constexpr uint32_t kLinkInfoMinHeader = 0x1C;

std::optional<uint16_t> U16At(const std::string& bytes, std::size_t at) {
  return GetU16(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), at);
}

// The NUL-terminated text at `at`, which must end before `end`.
std::optional<std::string> TextAt(const std::string& bytes, std::size_t at, std::size_t end) {
  for (std::size_t i = at; i < end; ++i) {
    if (bytes[i] == '\0') return bytes.substr(at, i - at);
  }
  return std::nullopt;
}

// The local target path of the link information block at `at`; sets `next`
// to the byte after it.
std::optional<std::string> LocalTarget(const std::string& bytes, std::size_t at, std::size_t& next) {
  const auto size = GetU32(bytes, at);
  const auto header = GetU32(bytes, at + 4);
  const auto flags = GetU32(bytes, at + 8);
  const auto local = GetU32(bytes, at + 16);
  const auto suffix = GetU32(bytes, at + 24);
  if (!size || !header || !flags || !local || !suffix || *header < kLinkInfoMinHeader || *size < *header ||
      *size > bytes.size() - at || *local >= *size || *suffix >= *size || !(*flags & kLocalBasePath))
    return std::nullopt;
  next = at + *size;
  const auto base = TextAt(bytes, at + *local, next);
  const auto tail = *suffix ? TextAt(bytes, at + *suffix, next) : std::optional<std::string>("");
  if (!base || !tail) return std::nullopt;
  return *base + *tail;
}

// The working folder of the string data at `at` ("" when the link keeps none).
std::optional<std::string> WorkingFolder(const std::string& bytes, std::size_t at, uint32_t flags) {
  const std::size_t unit = (flags & kIsUnicode) ? 2 : 1;
  for (uint32_t string : kStringsBeforeWorkingDir) {
    if (!(flags & string)) continue;
    const auto count = U16At(bytes, at);
    if (!count) return std::nullopt;
    at += 2 + *count * unit;
  }
  if (at > bytes.size()) return std::nullopt;  // a string cut off
  if (!(flags & kHasWorkingDir)) return std::string();
  const auto count = U16At(bytes, at);
  if (!count || bytes.size() - at - 2 < *count * unit) return std::nullopt;  // read: at + 2 <= size
  std::string text;
  for (std::size_t i = 0; i < *count; ++i) {
    const std::size_t pos = at + 2 + i * unit;
    const unsigned code = unit == 2 ? *U16At(bytes, pos) : static_cast<unsigned char>(bytes[pos]);
    // A wide letter beyond ASCII has no one narrow form without the system's code page.
    if (unit == 2 && code >= 0x80) return std::nullopt;
    text += static_cast<char>(code);
  }
  // Some writers count the string's terminating NUL; no path holds one.
  return text.substr(0, text.find('\0'));
}

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::optional<bool> SameText(const std::string& a, const std::string& b) {
  if (a == b) return true;
  bool beyondAscii = false;
  bool same = a.size() == b.size();
  for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
    beyondAscii = beyondAscii || (a[i] & 0x80) || (b[i] & 0x80);
    same = same && AsciiLower(a[i]) == AsciiLower(b[i]);
  }
  if (!same && beyondAscii) return std::nullopt;
  return same;
}

}  // namespace

ShortcutMatch MatchShortcut(const std::string& bytes, const std::string& program, const std::string& folder) {
  const auto header = GetU32(bytes, 0);
  const auto flags = GetU32(bytes, 20);
  if (!header || *header != kHeaderSize || !flags || bytes.size() < kHeaderSize ||
      bytes.compare(4, sizeof kLinkClass, reinterpret_cast<const char*>(kLinkClass), sizeof kLinkClass) != 0)
    return ShortcutMatch::kUnknown;
  std::size_t at = kHeaderSize;
  if (*flags & kHasIdList) {
    const auto idList = U16At(bytes, at);
    if (!idList) return ShortcutMatch::kUnknown;
    at += 2 + *idList;
  }
  if (!(*flags & kHasLinkInfo)) return ShortcutMatch::kUnknown;
  const auto target = LocalTarget(bytes, at, at);
  const auto workDir = target ? WorkingFolder(bytes, at, *flags) : std::nullopt;
  if (!workDir) return ShortcutMatch::kUnknown;
  const auto sameTarget = SameText(*target, program);
  const auto sameFolder = SameText(*workDir, folder);
  if (sameTarget == false || sameFolder == false) return ShortcutMatch::kDiffers;
  if (!sameTarget || !sameFolder) return ShortcutMatch::kUnknown;
  return ShortcutMatch::kStarts;
}
