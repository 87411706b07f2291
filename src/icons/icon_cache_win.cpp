#include "icons/icon_cache_win.h"

#include <set>
#include <utility>

#include "icons/button_icon.h"
#include "icons/button_icon_win.h"
#include "db/cdb.h"
#include "db/db_paths.h"
#include "db/target_check.h"
#include "platform/file_ops.h"

namespace {

// The full path without the current folder's part: relative icon paths lie
// in the program folder.
std::string FullPathOf(const std::string& iconPath, const std::string& programFolder) {
  const std::string path = IconPathInFolder(iconPath, programFolder);
  char full[MAX_PATH] = {};
  const DWORD length = path.empty() ? 0 : ::GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
  return length == 0 || length >= MAX_PATH ? path : std::string(full, length);
}

bool IsWeb(const std::string& iconFile) { return ClassifyIconPath(iconFile) == IconSource::WebShortcut; }

// The entry's image of one size, or a blank one that keeps its place in a
// list until the worker's answer fills it.
IconImage ImageOrBlank(const CachedIcon* icon, bool large) {
  const IconImage* image = icon ? &(large ? icon->large : icon->small) : nullptr;
  if (image && !image->Empty()) return *image;
  return BlankImage(large ? kLargeIconSide : kSmallIconSide);
}

HIMAGELIST ListOf(const void* list) { return static_cast<HIMAGELIST>(const_cast<void*>(list)); }

// The real stamp and look-up where the caller gave none.
IconProbes RealWhereEmpty(IconProbes probes, const std::string& programFolder) {
  if (!probes.stamp) probes.stamp = StampOfFullPath;
  if (!probes.lookUp) {
    probes.lookUp = [programFolder](const std::string& iconFile, int32_t iconIndex, IconSizes sizes) {
      return LookUpIconImages(iconFile, iconIndex, programFolder, sizes);
    };
  }
  return probes;
}

}  // namespace

ButtonIconCache::ButtonIconCache(std::string programFolder) : ButtonIconCache(std::move(programFolder), {}) {}

ButtonIconCache::ButtonIconCache(std::string programFolder, IconProbes probes)
    : programFolder_(std::move(programFolder)),
      probes_(RealWhereEmpty(std::move(probes), programFolder_)),
      checks_(probes_.stamp, probes_.lookUp) {
  if (!probes_.slow) probes_.slow = [this](const std::string& full) { return DriveRuleSlow(full); };
}

std::string ButtonIconCache::FilePath() const { return JoinPath(programFolder_, kIconCacheFileName); }

bool ButtonIconCache::Load() {
  return ReadIconCacheFile(PlatformFileOps(), FilePath(), table_) == IconCacheRead::kWhole;
}

bool ButtonIconCache::Save(const CDB& db) {
  std::set<IconKey> named;
  for (int32_t b = 0; b < db.BarCount(); ++b) {
    const CBar& bar = *db.Bar(b);
    named.insert(IconCacheKey(bar.IconFile, bar.IconIndex));
    for (int32_t i = 0; i < bar.Count(); ++i) {
      const CD& button = *bar.At(i);
      if (!button.IsSeparator) named.insert(IconCacheKey(button.IconFile, button.IconIndex));
    }
  }
  table_.Prune([&named](const IconKey& key) { return named.count(key) != 0; });
  if (!table_.Changed()) return true;
  if (!PlatformFileOps().WriteAll(FilePath(), table_.Encode())) return false;
  table_.SetChanged(false);
  return true;
}

UINT ButtonIconCache::DriveType(char letter) {
  return static_cast<UINT>(drives_.Of(letter, PlatformFileOps()));
}

bool ButtonIconCache::DriveRuleSlow(const std::string& full) {
  // The same rule as the database load's: network and removable places.
  return IsSlowPath(full, [this](char letter) { return static_cast<DriveKind>(DriveType(letter)); });
}

bool ButtonIconCache::SlowIcon(const std::string& iconFile) {
  return !IsWeb(iconFile) && probes_.slow(FullPathOf(iconFile, programFolder_));
}

std::optional<IconStamp> ButtonIconCache::StampNow(const std::string& iconFile) {
  if (IsWeb(iconFile)) {
    IconStamp stamp = probes_.stamp(WebShortcutPath(programFolder_));
    stamp.kind = IconStampKind::kWeb;
    return stamp;
  }
  const std::string full = FullPathOf(iconFile, programFolder_);
  // Not even a slow drive's root: the shell's look-up of it would touch it.
  if (probes_.slow(full)) return std::nullopt;
  // A drive's icon follows its type, which the system knows without the medium.
  if (IsDriveRoot(full)) return IconStamp{IconStampKind::kDrive, 0, 0, DriveType(full[0])};
  return probes_.stamp(full);
}

const CachedIcon& ButtonIconCache::LookUp(const IconKey& key, const std::string& iconFile, int32_t iconIndex,
                                          const IconStamp& stamp, IconSizes sizes) {
  ++lookUps_;
  CachedIcon images = probes_.lookUp(iconFile, iconIndex, sizes);
  if (sizes == IconSizes::kBoth) {
    images.stamp = stamp;
    table_.Put(key, std::move(images));
  } else {
    table_.PutOneSize(key, stamp, sizes, sizes == IconSizes::kLarge ? std::move(images.large) : std::move(images.small));
  }
  return *table_.Find(key);
}

void ButtonIconCache::Complete(const IconKey& key, const std::string& iconFile, int32_t iconIndex) {
  const std::optional<IconSizes> lacking = table_.Lacks(key);
  if (!lacking) return;
  ++lookUps_;
  CachedIcon images = probes_.lookUp(iconFile, iconIndex, *lacking);
  table_.Complete(key, *lacking == IconSizes::kLarge ? std::move(images.large) : std::move(images.small));
}

ImagePositions ButtonIconCache::Append(HIMAGELIST small, HIMAGELIST large, bool largeShown,
                                       const std::string& iconFile, int32_t iconIndex) {
  const IconKey key = IconCacheKey(iconFile, iconIndex);
  const CachedIcon* cached = table_.Find(key);
  const std::optional<IconStamp> stamp = StampNow(iconFile);
  if (!starting_) {
    if (!stamp) return AppendUnchecked(small, large, largeShown, key, iconFile, iconIndex);
    if (!cached || !(cached->stamp == *stamp)) cached = &LookUp(key, iconFile, iconIndex, *stamp, IconSizes::kBoth);
    Complete(key, iconFile, iconIndex);
    return {AppendImage(small, cached->small), AppendImage(large, cached->large)};
  }

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
      later.shownPosition = AppendImage(shown, ImageOrBlank(cached, largeShown));
      break;
  }
  deferred_.push_back(later);
  ImagePositions positions;
  (largeShown ? positions.Large : positions.Small) = later.shownPosition;
  return positions;
}

ImagePositions ButtonIconCache::AppendUnchecked(HIMAGELIST small, HIMAGELIST large, bool largeShown,
                                                const IconKey& key, const std::string& iconFile,
                                                int32_t iconIndex) {
  const CachedIcon* cached = table_.Find(key);
  ImagePlace place{{small, large}, -1, -1, largeShown};
  place.small = AppendImage(small, ImageOrBlank(cached, false));
  place.large = AppendImage(large, ImageOrBlank(cached, true));
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

void ButtonIconCache::FinishStartup(const CDB& db) {
  if (!starting_) return;
  starting_ = false;
  if (small_ && large_) {
    HIMAGELIST other = largeShown_ ? small_ : large_;
    for (const Deferred& later : deferred_) {
      const CachedIcon* cached = table_.Find(later.key);
      if (later.check) {
        // Held or blank in both sizes until the worker answers.
        ImagePlace place{{small_, large_}, -1, -1, largeShown_};
        const int otherPosition = AppendImage(other, ImageOrBlank(cached, !largeShown_));
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

void ButtonIconCache::SetWindow(HWND window, UINT message) {
  checks_.SetWindow(window, message);
  StartChecks();
}

bool ButtonIconCache::OnCheckMessage(const CDB& db, WPARAM wParam) {
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
      if (Replace(place, icon)) drawnChanged = true;
    }
  }
  if (!starting_) Save(db);
  StartChecks();
  return drawnChanged;
}

bool ButtonIconCache::Replace(const ImagePlace& place, const CachedIcon& icon) {
  bool drawnChanged = false;
  for (bool large : {false, true}) {
    HIMAGELIST list = ListOf(large ? place.lists.large : place.lists.small);
    const int position = large ? place.large : place.small;
    if (!list || position < 0) continue;
    ImageBitmaps bitmaps = MakeImageBitmaps(ImageOrBlank(&icon, large));
    if (bitmaps.colour && ::ImageList_Replace(list, position, bitmaps.colour.Get(), bitmaps.mask.Get()) &&
        large == place.largeShown) {
      drawnChanged = true;
    }
  }
  return drawnChanged;
}

UniqueIcon ButtonIconCache::IconOf(const std::string& iconFile, int32_t iconIndex, bool large, bool keep) {
  const IconKey key = IconCacheKey(iconFile, iconIndex);
  const CachedIcon* cached = table_.Find(key);
  const IconSizes size = large ? IconSizes::kLarge : IconSizes::kSmall;
  const std::optional<IconStamp> stamp = StampNow(iconFile);
  if (!stamp) {
    // A removable or network path: what is held is shown, whatever its stamp;
    // what the menu keeps is checked by the worker.
    if (keep) {
      AskCheck(key, iconFile, iconIndex);
      checks_.Nudge();
    }
    if (!cached || table_.Lacks(key) == size) return {};
    return IconFromImage(large ? cached->large : cached->small);
  }
  if (!cached || !(cached->stamp == *stamp)) {
    if (!keep) return {};
    cached = &LookUp(key, iconFile, iconIndex, *stamp, IconSizes::kBoth);
  }
  if (table_.Lacks(key) == size) {
    if (!keep) return {};
    Complete(key, iconFile, iconIndex);
  }
  // An entry without an image of this size: the shell had none.
  return IconFromImage(large ? cached->large : cached->small);
}

UniqueIcon ButtonIconOfSize(ButtonIconCache* cache, const std::string& iconFile, int32_t iconIndex,
                            const std::string& programFolder, bool large, bool keep) {
  if (cache) {
    UniqueIcon icon = cache->IconOf(iconFile, iconIndex, large, keep);
    if (icon) return icon;
  }
  const IconSizes size = large ? IconSizes::kLarge : IconSizes::kSmall;
  // A removable or network path the cache lacks: the stand-in of its kind,
  // until the worker's answer is in the cache.
  ButtonIcons icons = cache && cache->SlowIcon(iconFile) ? GenericIconsOfKind(iconFile, size)
                                                          : GetButtonIcon(iconFile, iconIndex, programFolder, size);
  return std::move(large ? icons.Large : icons.Small);
}
