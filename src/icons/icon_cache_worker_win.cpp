// The icon cache's hand-off to its worker: slow icons are listed and placed,
// and the worker's answers go into the table and the lists still in use.
#include "icons/icon_cache_win.h"

#include <utility>

namespace {

HIMAGELIST ListOf(const void* list) { return static_cast<HIMAGELIST>(const_cast<void*>(list)); }

}  // namespace

ImagePositions ButtonIconCache::AppendUnchecked(HIMAGELIST small, HIMAGELIST large, bool largeShown,
                                                const IconKey& key, const std::string& iconFile,
                                                int32_t iconIndex) {
  const CachedIcon* cached = table_.Find(key);
  ImagePlace place{{small, large}, -1, -1, largeShown};
  place.small = AppendImage(small, ImageOrBlank(cached, false, key.Sides()));
  place.large = AppendImage(large, ImageOrBlank(cached, true, key.Sides()));
  AskCheck(key, iconFile, iconIndex);
  // Only while its check is to come: an icon checked in this run already
  // shows what that check found.
  PlaceSlow(key, place);
  checks_.Nudge();
  return {place.small, place.large};
}

void ButtonIconCache::AskCheck(const IconKey& key, const std::string& iconFile, int32_t iconIndex) {
  IconCheckRequest request{key, iconFile, iconIndex, FullPathOf(iconFile, programFolder_), std::nullopt};
  slowAsked_.insert_or_assign(key, request);
  checks_.Queue().Ask(std::move(request));
}

void ButtonIconCache::PlaceSlow(const IconKey& key, const ImagePlace& place) {
  slowPlaces_.emplace(key, place);
  checks_.Queue().Place(key, place);
}

void ButtonIconCache::RecheckDrives(uint32_t unitMask) {
  const std::string letters = DriveLettersOfMask(unitMask);
  bool asked = false;
  for (const auto& [key, request] : slowAsked_) {
    if (!OnDrives(request.fullPath, letters) || !checks_.Queue().AskAgain(request)) continue;
    asked = true;
    // The images of the lists in use are replaced by the answer.
    auto [first, last] = slowPlaces_.equal_range(key);
    for (auto at = first; at != last; ++at) checks_.Queue().Place(key, at->second);
  }
  if (asked) checks_.Nudge();
}

void ButtonIconCache::StartChecks() {
  TakePrefetched();
  checks_.StartRun([this](const IconKey& key) -> std::optional<IconStamp> {
    const CachedIcon* held = table_.Find(key);
    if (!held || table_.Lacks(key)) return std::nullopt;
    return held->stamp;
  });
}

void ButtonIconCache::ForgetLists(HIMAGELIST small, HIMAGELIST large) {
  checks_.Queue().Forget({small, large});
  const ImageListPair lists{small, large};
  std::erase_if(slowPlaces_, [&lists](const auto& entry) { return entry.second.lists == lists; });
  if (small != small_ || large != large_ || !small_) return;
  small_ = large_ = nullptr;
  deferred_.clear();
}

void ButtonIconCache::SetWindow(HWND window, UINT message) {
  checks_.SetWindow(window, message);
  StartChecks();
}

bool ButtonIconCache::OnCheckMessage(const CDB& db, WPARAM wParam) {
  TakePrefetched();
  if (wParam == 0) {
    checks_.Nudged();
    StartChecks();
    return false;
  }
  std::optional<std::vector<IconCheckAnswer>> answers = checks_.Take(wParam);
  if (!answers) return false;
  bool drawnChanged = false;
  for (IconCheckAnswer& answer : *answers) {
    const std::vector<ImagePlace> places = checks_.Queue().Answered(answer.key);
    // Unchanged: the lists already show what the cache holds.
    if (!answer.found) continue;
    ++lookUps_;
    table_.Put(answer.key, std::move(*answer.found));
    const CachedIcon& icon = *table_.Find(answer.key);
    for (const ImagePlace& place : places) {
      if (Replace(place, icon, answer.key.Sides())) drawnChanged = true;
    }
  }
  if (!starting_) Save(db);
  StartChecks();
  return drawnChanged;
}

bool ButtonIconCache::Replace(const ImagePlace& place, const CachedIcon& icon, IconSides sides) {
  bool drawnChanged = false;
  for (bool large : {false, true}) {
    HIMAGELIST list = ListOf(large ? place.lists.large : place.lists.small);
    const int position = large ? place.large : place.small;
    if (!list || position < 0) continue;
    ImageBitmaps bitmaps = MakeImageBitmaps(ImageOrBlank(&icon, large, sides));
    if (bitmaps.colour && ::ImageList_Replace(list, position, bitmaps.colour.Get(), bitmaps.mask.Get()) &&
        large == place.largeShown) {
      drawnChanged = true;
    }
  }
  return drawnChanged;
}
