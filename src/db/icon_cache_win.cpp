#include "db/icon_cache_win.h"

#include <set>
#include <utility>

#include "db/button_icon.h"
#include "db/button_icon_win.h"
#include "db/cdb.h"
#include "db/db_paths.h"
#include "db/target_check.h"
#include "platform/file_ops.h"
#include "platform/quiet_errors_win.h"

namespace {

ButtonIconCache* g_inUse = nullptr;

uint64_t Join(DWORD high, DWORD low) { return (static_cast<uint64_t>(high) << 32) | low; }

// What is at a path now, told by one look at its attributes.
IconStamp StampOfPath(const std::string& path) {
  QuietErrorMode quiet;  // a drive without its medium answers "not there"
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (path.empty() || !::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return {};
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return {IconStampKind::kFolder, 0, 0, 0};
  return {IconStampKind::kFile, Join(data.nFileSizeHigh, data.nFileSizeLow),
          Join(data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime), 0};
}

std::string FullPathOf(const std::string& path) {
  char full[MAX_PATH] = {};
  const DWORD length = path.empty() ? 0 : ::GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
  return length == 0 || length >= MAX_PATH ? path : std::string(full, length);
}

bool IsDriveRoot(const std::string& full) { return full.size() == 3 && full[1] == ':' && full[2] == '\\'; }

}  // namespace

ButtonIconCache::ButtonIconCache(std::string programFolder) : programFolder_(std::move(programFolder)) {}

std::string ButtonIconCache::FilePath() const { return JoinPath(programFolder_, kIconCacheFileName); }

bool ButtonIconCache::Load() {
  std::string bytes;
  if (!PlatformFileOps().ReadAll(FilePath(), bytes)) {
    table_ = {};
    table_.SetChanged(true);
    return false;
  }
  return table_.Decode(bytes);
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
  if (letter >= 'a' && letter <= 'z') letter = static_cast<char>(letter - 'a' + 'A');
  auto known = driveTypes_.find(letter);
  if (known == driveTypes_.end()) {
    const char root[4] = {letter, ':', '\\', '\0'};
    known = driveTypes_.emplace(letter, ::GetDriveTypeA(root)).first;
  }
  return known->second;
}

bool ButtonIconCache::SlowPath(const std::string& full) {
  // The same rule as the database load's: network and removable places.
  return IsSlowPath(full, [this](char letter) { return static_cast<DriveKind>(DriveType(letter)); });
}

std::optional<IconStamp> ButtonIconCache::StampNow(const std::string& iconFile, bool mayTouchSlowPaths) {
  if (ClassifyIconPath(iconFile) == IconSource::WebShortcut) {
    IconStamp stamp = StampOfPath(WebShortcutPath(programFolder_));
    stamp.kind = IconStampKind::kWeb;
    return stamp;
  }
  const std::string full = FullPathOf(iconFile);
  // Not even a slow drive's root: the shell's look-up of it would touch it.
  if (!mayTouchSlowPaths && SlowPath(full)) return std::nullopt;
  // A drive's icon follows its type, which the system knows without the medium.
  if (IsDriveRoot(full)) return IconStamp{IconStampKind::kDrive, 0, 0, DriveType(full[0])};
  return StampOfPath(full);
}

const CachedIcon& ButtonIconCache::LookUp(const IconKey& key, const std::string& iconFile, int32_t iconIndex,
                                          const IconStamp& stamp, IconSizes sizes) {
  ++lookUps_;
  ButtonIcons icons = GetButtonIconOrGeneric(iconFile, iconIndex, programFolder_, sizes);
  IconImage small = CaptureIconImage(icons.Small.Get(), kSmallIconSide);
  IconImage large = CaptureIconImage(icons.Large.Get(), kLargeIconSide);
  if (sizes == IconSizes::kBoth) {
    table_.Put(key, {stamp, std::move(small), std::move(large)});
  } else {
    table_.PutOneSize(key, stamp, sizes, sizes == IconSizes::kLarge ? std::move(large) : std::move(small));
  }
  return *table_.Find(key);
}

void ButtonIconCache::Complete(const IconKey& key, const std::string& iconFile, int32_t iconIndex) {
  const std::optional<IconSizes> lacking = table_.Lacks(key);
  if (!lacking) return;
  ++lookUps_;
  const bool large = *lacking == IconSizes::kLarge;
  ButtonIcons icons = GetButtonIconOrGeneric(iconFile, iconIndex, programFolder_, *lacking);
  table_.Complete(key, large ? CaptureIconImage(icons.Large.Get(), kLargeIconSide)
                             : CaptureIconImage(icons.Small.Get(), kSmallIconSide));
}

ImagePositions ButtonIconCache::Append(HIMAGELIST small, HIMAGELIST large, bool largeShown,
                                       const std::string& iconFile, int32_t iconIndex) {
  const IconKey key = IconCacheKey(iconFile, iconIndex);
  const CachedIcon* cached = table_.Find(key);
  if (!starting_) {
    const IconStamp stamp = *StampNow(iconFile, true);
    if (!cached || !(cached->stamp == stamp)) cached = &LookUp(key, iconFile, iconIndex, stamp, IconSizes::kBoth);
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
  const int32_t side = largeShown ? kLargeIconSide : kSmallIconSide;
  auto shownImage = [largeShown](const CachedIcon& icon) -> const IconImage& {
    return largeShown ? icon.large : icon.small;
  };
  Deferred later{key, iconFile, iconIndex};
  const std::optional<IconStamp> stamp = StampNow(iconFile, false);
  switch (PlanIcon(cached, stamp)) {
    case IconPlan::kLookUpNow:
      // The first frame needs this size only; the other follows after it.
      cached = &LookUp(key, iconFile, iconIndex, *stamp, shownSize);
      [[fallthrough]];
    case IconPlan::kUseCached:
      // Looked up at the other size by an earlier build of this start.
      if (table_.Lacks(key) == shownSize) Complete(key, iconFile, iconIndex);
      later.shownPosition = AppendImage(shown, shownImage(*cached));
      break;
    case IconPlan::kUseCachedCheckLater:
    case IconPlan::kBlankLookUpLater:
      // A place is kept in any case, so the image found afterwards can go there.
      later.check = true;
      later.shownPosition = AppendImage(shown, cached && !shownImage(*cached).Empty() ? shownImage(*cached)
                                                                                      : BlankImage(side));
      break;
  }
  deferred_.push_back(later);
  ImagePositions positions;
  (largeShown ? positions.Large : positions.Small) = later.shownPosition;
  return positions;
}

void ButtonIconCache::ForgetLists(HIMAGELIST small, HIMAGELIST large) {
  if (small != small_ || large != large_ || !small_) return;
  small_ = large_ = nullptr;
  deferred_.clear();
}

bool ButtonIconCache::FinishStartup(const CDB& db) {
  if (!starting_) return false;
  starting_ = false;
  bool changed = false;
  if (small_ && large_) {
    HIMAGELIST shown = largeShown_ ? large_ : small_;
    HIMAGELIST other = largeShown_ ? small_ : large_;
    const int32_t side = largeShown_ ? kLargeIconSide : kSmallIconSide;
    for (const Deferred& later : deferred_) {
      const CachedIcon* cached = table_.Find(later.key);
      if (later.check) {
        const IconStamp stamp = *StampNow(later.iconFile, true);
        if (!cached || !(cached->stamp == stamp)) {
          cached = &LookUp(later.key, later.iconFile, later.iconIndex, stamp, IconSizes::kBoth);
          const IconImage& image = largeShown_ ? cached->large : cached->small;
          ImageBitmaps bitmaps = MakeImageBitmaps(image.Empty() ? BlankImage(side) : image);
          if (later.shownPosition >= 0 && bitmaps.colour &&
              ::ImageList_Replace(shown, later.shownPosition, bitmaps.colour.Get(), bitmaps.mask.Get()))
            changed = true;
        }
      }
      // What the start looked up at the shown size only.
      Complete(later.key, later.iconFile, later.iconIndex);
      AppendImage(other, cached ? (largeShown_ ? cached->small : cached->large) : IconImage{});
    }
  }
  small_ = large_ = nullptr;
  deferred_.clear();
  Save(db);
  return changed;
}

UniqueIcon ButtonIconCache::IconOf(const std::string& iconFile, int32_t iconIndex, bool large, bool keep) {
  const IconKey key = IconCacheKey(iconFile, iconIndex);
  const CachedIcon* cached = table_.Find(key);
  const std::optional<IconStamp> stamp = StampNow(iconFile, !starting_);
  // A slow path is not touched while the bar starts: what is held is shown.
  const bool current = cached && (!stamp || cached->stamp == *stamp);
  if (!current) {
    if (!keep || !stamp) return {};
    cached = &LookUp(key, iconFile, iconIndex, *stamp, IconSizes::kBoth);
  }
  if (table_.Lacks(key) == (large ? IconSizes::kLarge : IconSizes::kSmall)) {
    if (!keep) return {};
    Complete(key, iconFile, iconIndex);
  }
  // An entry without an image of this size: the shell had none.
  return IconFromImage(large ? cached->large : cached->small);
}

IconCacheInUse::IconCacheInUse(ButtonIconCache& cache) { g_inUse = &cache; }

IconCacheInUse::~IconCacheInUse() { g_inUse = nullptr; }

ButtonIconCache* IconCacheForImageLists() { return g_inUse; }

UniqueIcon ButtonIconOfSize(const std::string& iconFile, int32_t iconIndex, const std::string& programFolder,
                            bool large, bool keep) {
  if (ButtonIconCache* cache = IconCacheForImageLists()) {
    UniqueIcon icon = cache->IconOf(iconFile, iconIndex, large, keep);
    if (icon) return icon;
  }
  ButtonIcons icons =
      GetButtonIcon(iconFile, iconIndex, programFolder, large ? IconSizes::kLarge : IconSizes::kSmall);
  return std::move(large ? icons.Large : icons.Small);
}
