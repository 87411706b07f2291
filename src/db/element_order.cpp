#include "db/element_order.h"

#include <algorithm>
#include <limits>

int64_t ElementNumber(const std::string& name) {
  if (name.empty()) return -1;
  int64_t value = 0;
  for (char c : name) {
    if (c < '0' || c > '9') return -1;
    value = std::min<int64_t>(value * 10 + (c - '0'), std::numeric_limits<int32_t>::max());
  }
  return value;
}

void SortForReading(std::vector<StorageElement>& elements) {
  std::stable_sort(elements.begin(), elements.end(), [](const StorageElement& a, const StorageElement& b) {
    const int64_t x = ElementNumber(a.Name);
    const int64_t y = ElementNumber(b.Name);
    if (x < 0 || y < 0) return x >= 0 && y < 0;
    return x < y;
  });
}
