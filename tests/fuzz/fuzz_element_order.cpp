// Element names of any bytes (one per line; a leading '/' marks a storage):
// the reading order puts numbered names first in ascending order and the rest
// after them, keeping the storage's order wherever the numbers are equal.
#include <algorithm>
#include <climits>
#include <cstdlib>
#include <numeric>
#include <tuple>

#include "db/element_order.h"
#include "fuzz_support.h"

namespace {

std::vector<StorageElement> ElementsOf(const std::string& bytes) {
  std::vector<StorageElement> elements;
  size_t start = 0;
  while (start <= bytes.size() && elements.size() < 512) {
    size_t end = bytes.find('\n', start);
    if (end == std::string::npos) end = bytes.size();
    std::string name = bytes.substr(start, end - start);
    const bool storage = !name.empty() && name[0] == '/';
    if (storage) name.erase(0, 1);
    elements.push_back({name, storage});
    start = end + 1;
  }
  return elements;
}

// The number a name stands for, worked out a second way: decimal digits only,
// values beyond INT32_MAX held at INT32_MAX.
int64_t ExpectedNumber(const std::string& name) {
  if (name.empty() || name.find_first_not_of("0123456789") != std::string::npos) return -1;
  const size_t first = std::min(name.find_first_not_of('0'), name.size() - 1);
  const std::string digits = name.substr(first);
  if (digits.size() > 10) return INT32_MAX;
  return std::min<int64_t>(std::strtoll(digits.c_str(), nullptr, 10), INT32_MAX);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<StorageElement> given = ElementsOf(BytesOf(data, size));

  std::vector<std::tuple<bool, int64_t, size_t>> keys;
  for (size_t i = 0; i < given.size(); ++i) {
    const int64_t number = ElementNumber(given[i].Name);
    FUZZ_CHECK(number == ExpectedNumber(given[i].Name));
    keys.emplace_back(number < 0, number, i);
  }
  std::sort(keys.begin(), keys.end());

  std::vector<StorageElement> sorted = given;
  SortForReading(sorted);
  FUZZ_CHECK(sorted.size() == given.size());
  for (size_t i = 0; i < sorted.size(); ++i) {
    const StorageElement& expected = given[std::get<2>(keys[i])];
    FUZZ_CHECK(sorted[i].Name == expected.Name && sorted[i].IsStorage == expected.IsStorage);
  }
  return 0;
}
