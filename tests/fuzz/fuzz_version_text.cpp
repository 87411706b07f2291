// The installer's "Version" registry text, of any bytes: its leading decimal
// number (after blanks and tabs, with a sign), held inside the 32-bit range;
// 0 when there is none.
#include <algorithm>
#include <climits>
#include <cstdlib>

#include "app/registry_values.h"
#include "fuzz_support.h"

namespace {

int32_t ExpectedVersion(const std::string& text) {
  size_t pos = text.find_first_not_of(" \t");
  if (pos == std::string::npos) return 0;
  size_t digits = pos + (text[pos] == '-' || text[pos] == '+' ? 1 : 0);
  if (digits >= text.size() || text[digits] < '0' || text[digits] > '9') return 0;
  size_t end = text.find_first_not_of("0123456789", digits);
  if (end == std::string::npos) end = text.size();
  const std::string number = text.substr(pos, end - pos);
  const long long value = std::strtoll(number.c_str(), nullptr, 10);  // saturates on overflow
  return static_cast<int32_t>(std::clamp<long long>(value, INT32_MIN, INT32_MAX));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text = BytesOf(data, size);
  FUZZ_CHECK(ParseVersionText(text) == ExpectedVersion(text));
  return 0;
}
