#include "db/target_check.h"

#include <set>
#include <unordered_map>

#include "db/cdb.h"
#include "db/db_paths.h"
#include "platform/path_rules.h"

namespace {

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

TargetPlace PlaceOfDrive(DriveKind kind) {
  switch (kind) {
    case DriveKind::kRemote:
      return TargetPlace::kNetwork;
    case DriveKind::kRemovable:
    case DriveKind::kCdRom:
      return TargetPlace::kRemovable;
    default:
      return TargetPlace::kLocal;
  }
}

}  // namespace

TargetPlace PlaceOfPath(const std::string& path, const std::function<DriveKind(char letter)>& driveKindOf) {
  if (StartsWithDrive(path, 0)) return PlaceOfDrive(driveKindOf(Upper(path[0])));
  if (path.size() < 2 || !IsPathSeparator(path[0]) || !IsPathSeparator(path[1])) return TargetPlace::kLocal;
  // "\\?\C:\..." and "\\.\C:\..." name a drive; every other name that starts
  // with two separators ("\\server\share", "\\?\UNC\server\share", a volume's
  // name) goes through the network redirector or may: it counts as network.
  const bool prefixed = path.size() >= 4 && (path[2] == '?' || path[2] == '.') && IsPathSeparator(path[3]);
  if (prefixed && StartsWithDrive(path, 4)) return PlaceOfDrive(driveKindOf(Upper(path[4])));
  return TargetPlace::kNetwork;
}

bool IsSlowPath(const std::string& path, const std::function<DriveKind(char letter)>& driveKindOf) {
  return PlaceOfPath(path, driveKindOf) != TargetPlace::kLocal;
}

DeferredTargets* DeferredTargets::BeginLoad() {
  entries_.clear();
  drives_.Forget();
  ++generation_;
  const bool defer = armed_;
  armed_ = false;
  return defer ? this : nullptr;
}

bool DeferredTargets::Defer(const CD& button, const std::string& path, FileOps& files) {
  const bool slow = IsSlowPath(path, [this, &files](char letter) { return drives_.Of(letter, files); });
  if (slow) entries_.push_back({&button, path});
  return slow;
}

std::vector<std::string> DeferredTargets::Paths() const {
  std::vector<std::string> paths;
  std::set<std::string> seen;
  for (const Entry& entry : entries_)
    if (seen.insert(entry.path).second) paths.push_back(entry.path);
  return paths;
}

bool DeferredTargets::Apply(CDB& db, const TargetAnswers& answers) {
  std::vector<CBar*> bars;
  for (int32_t b = 0; b < db.BarCount(); ++b) bars.push_back(db.Bar(b));
  return Apply(db.ProgramFolder(), bars, answers);
}

bool DeferredTargets::Apply(const std::string& programFolder, const std::vector<CBar*>& bars,
                            const TargetAnswers& answers) {
  if (answers.Load != generation_) return false;
  const std::set<std::string> missing(answers.Missing.begin(), answers.Missing.end());
  std::unordered_map<const CD*, const std::string*> listed;
  for (const Entry& entry : entries_)
    if (missing.count(entry.path)) listed.emplace(entry.button, &entry.path);

  // Listed buttons are looked for among the live ones: a listed address that
  // is no longer a button of the database is never followed.
  bool hidden = false;
  for (CBar* bar : bars) {
    for (int32_t i = 0; i < bar->Count() && !listed.empty(); ++i) {
      CD& button = *bar->At(i);
      auto entry = listed.find(&button);
      if (entry == listed.end()) continue;
      if (button.Kind == kFile && button.IsSeparator != 1 && button.Available != 0 &&
          ResolveAgainstFolder(programFolder, button.Target) == *entry->second) {
        button.Available = 0;
        hidden = true;
      }
      listed.erase(entry);
    }
  }
  entries_.clear();
  return hidden;
}
