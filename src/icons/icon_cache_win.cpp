#include "icons/icon_cache_win.h"

#include <utility>

#include "icons/button_icon.h"
#include "icons/button_icon_win.h"
#include "db/db_paths.h"
#include "db/target_check.h"

namespace {

bool IsWeb(const std::string& iconFile) { return ClassifyIconPath(iconFile) == IconSource::WebShortcut; }

int ListSide(HIMAGELIST list, int otherwise) {
  int cx = 0;
  int cy = 0;
  return list && ::ImageList_GetIconSize(list, &cx, &cy) && cx > 0 ? cx : otherwise;
}

// The icon sides of a pair of image lists.
IconSides ListSides(HIMAGELIST small, HIMAGELIST large) {
  const IconSides base;
  return {ListSide(small, base.small), ListSide(large, base.large)};
}

// The real stamp and look-up where the caller gave none.
IconProbes RealWhereEmpty(IconProbes probes, const std::string& programFolder) {
  if (!probes.stamp) probes.stamp = StampOfFullPath;
  if (!probes.lookUp) {
    probes.lookUp = [programFolder](const std::string& iconFile, int32_t iconIndex, IconSizes sizes,
                                    IconSides sides) {
      return LookUpIconImages(iconFile, iconIndex, programFolder, sizes, sides);
    };
  }
  return probes;
}

}  // namespace

// The full path without the current folder's part: relative icon paths lie
// in the program folder.
std::string ButtonIconCache::FullPathOf(const std::string& iconPath, const std::string& programFolder) {
  const std::string path = IconPathInFolder(iconPath, programFolder);
  char full[MAX_PATH] = {};
  const DWORD length = path.empty() ? 0 : ::GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
  return length == 0 || length >= MAX_PATH ? path : std::string(full, length);
}

// The entry's image of one size, or a blank one that keeps its place in a
// list until the worker's answer fills it.
IconImage ButtonIconCache::ImageOrBlank(const CachedIcon* icon, bool large, IconSides sides) {
  const IconImage* image = icon ? &(large ? icon->large : icon->small) : nullptr;
  if (image && !image->Empty()) return *image;
  return BlankImage(large ? sides.large : sides.small);
}

ButtonIconCache::ButtonIconCache(std::string programFolder) : ButtonIconCache(std::move(programFolder), {}) {}

ButtonIconCache::ButtonIconCache(std::string programFolder, IconProbes probes)
    : programFolder_(std::move(programFolder)),
      probes_(RealWhereEmpty(std::move(probes), programFolder_)),
      checks_(probes_.stamp, probes_.lookUp) {
  if (!probes_.slow) probes_.slow = [this](const std::string& full) { return DriveRuleSlow(full); };
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
  CachedIcon images = probes_.lookUp(iconFile, iconIndex, sizes, key.Sides());
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
  CachedIcon images = probes_.lookUp(iconFile, iconIndex, *lacking, key.Sides());
  table_.Complete(key, *lacking == IconSizes::kLarge ? std::move(images.large) : std::move(images.small));
}

ImagePositions ButtonIconCache::Append(HIMAGELIST small, HIMAGELIST large, bool largeShown,
                                       const std::string& iconFile, int32_t iconIndex) {
  TakePrefetched();
  const IconKey key = IconCacheKey(iconFile, iconIndex, ListSides(small, large));
  const CachedIcon* cached = table_.Find(key);
  const std::optional<IconStamp> stamp = StampNow(iconFile);
  if (!starting_) {
    if (!stamp) return AppendUnchecked(small, large, largeShown, key, iconFile, iconIndex);
    if (!cached || !(cached->stamp == *stamp)) cached = &LookUp(key, iconFile, iconIndex, *stamp, IconSizes::kBoth);
    Complete(key, iconFile, iconIndex);
    return {AppendImage(small, cached->small), AppendImage(large, cached->large)};
  }
  return AppendStarting(small, large, largeShown, key, iconFile, iconIndex, cached, stamp);
}

UniqueIcon ButtonIconCache::IconOf(const std::string& iconFile, int32_t iconIndex, OneIconSize oneSize,
                                   CacheMiss miss, int dpi) {
  TakePrefetched();
  const bool large = oneSize == OneIconSize::kLarge;
  const bool keep = miss == CacheMiss::kLookUpAndKeep;
  const IconKey key = IconCacheKey(iconFile, iconIndex, IconSidesAt(dpi));
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
                            const std::string& programFolder, OneIconSize oneSize, CacheMiss miss,
                            int dpi) {
  if (cache) {
    UniqueIcon icon = cache->IconOf(iconFile, iconIndex, oneSize, miss, dpi);
    if (icon) return icon;
  }
  const bool large = oneSize == OneIconSize::kLarge;
  const IconSizes size = large ? IconSizes::kLarge : IconSizes::kSmall;
  // A removable or network path the cache lacks: the stand-in of its kind,
  // until the worker's answer is in the cache.
  const IconSides sides = IconSidesAt(dpi);
  ButtonIcons icons = cache && cache->SlowIcon(iconFile)
                          ? GenericIconsOfKind(iconFile, size, sides)
                          : GetButtonIcon(iconFile, iconIndex, programFolder, size, sides);
  return std::move(large ? icons.Large : icons.Small);
}
