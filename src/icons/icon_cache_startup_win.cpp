// The icon cache while the bar starts: the build of the first frame gets the
// shown size only, and FinishStartup fills in the rest after the first paint.
#include "icons/icon_cache_win.h"

#include <set>
#include <utility>

#include "db/cbar.h"
#include "icons/image_list.h"

void ButtonIconCache::Prefetch(const CBar& bar, bool largeShown, IconSides sides) {
  std::vector<IconPrefetchRequest> requests;
  std::set<IconKey> asked;
  for (int32_t position = 0; position < bar.Count(); ++position) {
    const CD* button = bar.At(position);
    if (!button || !GetsImage(*button)) continue;
    const IconKey key = IconCacheKey(button->IconFile, button->IconIndex, sides);
    const std::optional<IconStamp> stamp = StampNow(button->IconFile);
    if (PlanIcon(table_.Find(key), stamp) != IconPlan::kLookUpNow || !asked.insert(key).second) continue;
    requests.push_back({key, button->IconFile, button->IconIndex, *stamp});
  }
  prefetch_.Start(std::move(requests), largeShown ? IconSizes::kLarge : IconSizes::kSmall, probes_.lookUp);
}

void ButtonIconCache::TakePrefetched() {
  if (!prefetch_.Started()) return;
  for (IconPrefetchAnswer& answer : prefetch_.Take()) {
    ++lookUps_;
    const bool large = answer.size == IconSizes::kLarge;
    table_.PutOneSize(answer.request.key, answer.request.stamp, answer.size,
                      std::move(large ? answer.images.large : answer.images.small));
  }
}

ImagePositions ButtonIconCache::AppendStarting(HIMAGELIST small, HIMAGELIST large, bool largeShown,
                                               const IconKey& key, const std::string& iconFile, int32_t iconIndex,
                                               const CachedIcon* cached, const std::optional<IconStamp>& stamp) {
  if (small != small_ || large != large_) {
    small_ = small;
    large_ = large;
    largeShown_ = largeShown;
    deferred_.clear();
  }
  HIMAGELIST shown = largeShown ? large : small;
  const IconSizes shownSize = largeShown ? IconSizes::kLarge : IconSizes::kSmall;
  Deferred later{key, iconFile, iconIndex};
  switch (PlanIcon(cached, stamp)) {
    case IconPlan::kLookUpNow:
      // The first frame needs this size only; the other follows after it.
      cached = &LookUp(key, iconFile, iconIndex, *stamp, shownSize);
      [[fallthrough]];
    case IconPlan::kUseCached:
      // Looked up at the other size by an earlier build of this start.
      if (table_.Lacks(key) == shownSize) Complete(key, iconFile, iconIndex);
      later.shownPosition = AppendImage(shown, largeShown ? cached->large : cached->small);
      break;
    case IconPlan::kUseCachedCheckLater:
    case IconPlan::kBlankLookUpLater:
      // A place is kept in any case, so the image found afterwards can go there.
      later.check = true;
      later.shownPosition = AppendImage(shown, ImageOrBlank(cached, largeShown, key.Sides()));
      break;
  }
  deferred_.push_back(later);
  ImagePositions positions;
  (largeShown ? positions.Large : positions.Small) = later.shownPosition;
  return positions;
}

void ButtonIconCache::FinishStartup(const CDB& db) {
  TakePrefetched();
  if (!starting_) return;
  starting_ = false;
  if (small_ && large_) {
    HIMAGELIST other = largeShown_ ? small_ : large_;
    for (const Deferred& later : deferred_) {
      const CachedIcon* cached = table_.Find(later.key);
      if (later.check) {
        // Held or blank in both sizes until the worker answers.
        ImagePlace place{{small_, large_}, -1, -1, largeShown_};
        const int otherPosition = AppendImage(other, ImageOrBlank(cached, !largeShown_, later.key.Sides()));
        (largeShown_ ? place.large : place.small) = later.shownPosition;
        (largeShown_ ? place.small : place.large) = otherPosition;
        AskCheck(later.key, later.iconFile, later.iconIndex);
        PlaceSlow(later.key, place);
        continue;
      }
      // What the start looked up at the shown size only.
      Complete(later.key, later.iconFile, later.iconIndex);
      AppendImage(other, cached ? (largeShown_ ? cached->small : cached->large) : IconImage{});
    }
  }
  small_ = large_ = nullptr;
  deferred_.clear();
  Save(db);
  StartChecks();
}
