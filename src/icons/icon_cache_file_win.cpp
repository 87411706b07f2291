// The icon cache's file: read in one go at the start, written when the
// table changed, with only the entries the database still names.
#include "icons/icon_cache_win.h"

#include <set>

#include "db/cdb.h"
#include "db/db_paths.h"
#include "platform/file_ops.h"

std::string ButtonIconCache::FilePath() const { return JoinPath(programFolder_, kIconCacheFileName); }

bool ButtonIconCache::Load() {
  return ReadIconCacheFile(PlatformFileOps(), FilePath(), table_) == IconCacheRead::kWhole;
}

bool ButtonIconCache::Save(const CDB& db) {
  TakePrefetched();
  // Keys at 16/32: the sides are compared on their own.
  std::set<IconKey> named;
  for (int32_t b = 0; b < db.BarCount(); ++b) {
    const CBar& bar = *db.Bar(b);
    named.insert(IconCacheKey(bar.IconFile, bar.IconIndex));
    for (int32_t i = 0; i < bar.Count(); ++i) {
      const CD& button = *bar.At(i);
      if (!button.IsSeparator) named.insert(IconCacheKey(button.IconFile, button.IconIndex));
    }
  }
  const std::optional<IconSides> sides = barSides_;
  table_.Prune([&named, sides](const IconKey& key) {
    if (sides && !(key.Sides() == *sides)) return false;
    return named.count(IconKey{key.path, key.index}) != 0;
  });
  if (!table_.Changed()) return true;
  if (!WriteIconCacheFile(PlatformFileOps(), FilePath(), table_.Encode())) return false;
  table_.SetChanged(false);
  return true;
}
