// A stored settings value of any bytes, read as the profile functions read an
// integer. Plain decimal numbers that fit must come back exactly; only the
// first 29 characters count; an empty value gives the default.
#include <cstdlib>

#include "fuzz_support.h"
#include "support/ini_profile.h"

namespace {

constexpr int32_t kDefault = 0x5EED;

bool IsShortDecimal(const std::string& text) {
  size_t pos = text[0] == '-' || text[0] == '+' ? 1 : 0;
  const size_t digits = text.size() - pos;
  if (digits == 0 || digits > 9) return false;
  // "0x", "0o" and "0b" start other bases.
  return text.find_first_not_of("0123456789", pos) == std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text = BytesOf(data, size);
  const int32_t value = ProfileIntFromText(text, kDefault);
  if (text.empty()) {
    FUZZ_CHECK(value == kDefault);
    return 0;
  }
  FUZZ_CHECK(value == ProfileIntFromText(text.substr(0, 29), kDefault));
  if (IsShortDecimal(text)) FUZZ_CHECK(value == std::strtol(text.c_str(), nullptr, 10));
  // What the profile functions write is read back as the same number.
  FUZZ_CHECK(ProfileIntFromText(std::to_string(value), kDefault) == value);
  return 0;
}
