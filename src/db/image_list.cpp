#include "db/image_list.h"

#include <set>

#include "db/cbar.h"
#include "db/icon_cache.h"

namespace {

bool GetsImage(const CD* button) { return button && button->IsSeparator == 0 && button->Available != 0; }

}  // namespace

void AddButtonImages(CBar& bar, bool largeIcons, ButtonImageSink& sink) {
  for (int32_t position = 0; position < bar.Count(); ++position) {
    CD* button = bar.At(position);
    if (!GetsImage(button)) continue;
    ImagePositions added = sink.Append(button->IconFile, button->IconIndex);
    button->ImageIndex = largeIcons ? added.Large : added.Small;
  }
}

std::vector<IconPair> ShownIconPairs(const CBar& bar) {
  std::vector<IconPair> pairs;
  std::set<IconKey> seen;
  for (int32_t position = 0; position < bar.Count(); ++position) {
    const CD* button = bar.At(position);
    if (GetsImage(button) && seen.insert(IconCacheKey(button->IconFile, button->IconIndex)).second)
      pairs.push_back({button->IconFile, button->IconIndex});
  }
  return pairs;
}
