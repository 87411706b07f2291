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
    // A letter with no drive behind it yet, or none the system can tell, may
    // be a share by the time it is looked at (mapped by a VPN or a logon
    // script): it is never touched on the window's thread either.
    case DriveKind::kNoRoot:
    case DriveKind::kUnknown:
      return TargetPlace::kNetwork;
    case DriveKind::kRemovable:
    case DriveKind::kCdRom:
      return TargetPlace::kRemovable;
    default:
      return TargetPlace::kLocal;
  }
}

}  // namespace

char DriveLetterOfPath(const std::string& path) {
  if (StartsWithDrive(path, 0)) return Upper(path[0]);
  if (path.size() < 2 || !IsPathSeparator(path[0]) || !IsPathSeparator(path[1])) return 0;
  // "\\?\C:\..." and "\\.\C:\..." name a drive.
  const bool prefixed = path.size() >= 4 && (path[2] == '?' || path[2] == '.') && IsPathSeparator(path[3]);
  return prefixed && StartsWithDrive(path, 4) ? Upper(path[4]) : 0;
}

TargetPlace PlaceOfPath(const std::string& path, const std::function<DriveKind(char letter)>& driveKindOf) {
  if (const char letter = DriveLetterOfPath(path)) return PlaceOfDrive(driveKindOf(letter));
  // Every other name that starts with two separators ("\\server\share",
  // "\\?\UNC\server\share", a volume's name) goes through the network
  // redirector or may: it counts as network.
  if (path.size() < 2 || !IsPathSeparator(path[0]) || !IsPathSeparator(path[1])) return TargetPlace::kLocal;
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

bool DeferredTargets::ListDrives(CDB& db, uint32_t unitMask) {
  std::vector<CBar*> bars;
  for (int32_t b = 0; b < db.BarCount(); ++b) bars.push_back(db.Bar(b));
  return ListDrives(db.ProgramFolder(), bars, unitMask);
}

bool DeferredTargets::ListDrives(const std::string& programFolder, const std::vector<CBar*>& bars,
                                 uint32_t unitMask) {
  ++generation_;
  // A button listed already (by address only) is listed under its target now.
  std::unordered_map<const CD*, size_t> listed;
  for (size_t i = 0; i < entries_.size(); ++i) listed.emplace(entries_[i].button, i);
  for (CBar* bar : bars) {
    for (int32_t i = 0; i < bar->Count(); ++i) {
      const CD& button = *bar->At(i);
      if (button.Kind != kFile || button.IsSeparator == 1) continue;
      if (button.Available == 0 && button.TargetMissing == 0) continue;
      std::string path = ResolveAgainstFolder(programFolder, button.Target);
      const char letter = DriveLetterOfPath(path);
      if (letter == 0 || !(unitMask >> (letter - 'A') & 1u)) continue;
      const auto known = listed.find(&button);
      if (known != listed.end()) {
        entries_[known->second].path = std::move(path);
      } else {
        listed.emplace(&button, entries_.size());
        entries_.push_back({&button, std::move(path)});
      }
    }
  }
  return !entries_.empty();
}

bool DeferredTargets::Apply(CDB& db, const TargetAnswers& answers) {
  std::vector<CBar*> bars;
  for (int32_t b = 0; b < db.BarCount(); ++b) bars.push_back(db.Bar(b));
  return Apply(db.ProgramFolder(), bars, answers);
}

// One button's answer: a shown button with a missing target is hidden; one
// hidden for a missing target shows once its target is there. A button the
// user hid stays hidden. True when the button changed.
bool DeferredTargets::Answer(CD& button, bool missing) {
  if (missing && button.Available != 0) {
    button.Available = 0;
    button.TargetMissing = 1;
    return true;
  }
  if (!missing && button.Available == 0 && button.TargetMissing != 0) {
    button.Available = 1;
    button.TargetMissing = 0;
    return true;
  }
  return false;
}

bool DeferredTargets::Apply(const std::string& programFolder, const std::vector<CBar*>& bars,
                            const TargetAnswers& answers) {
  if (answers.Load != generation_) return false;
  const std::set<std::string> missing(answers.Missing.begin(), answers.Missing.end());
  std::unordered_map<const CD*, const std::string*> listed;
  for (const Entry& entry : entries_) listed.emplace(entry.button, &entry.path);

  // Listed buttons are looked for among the live ones: a listed address that
  // is no longer a button of the database is never followed.
  bool changed = false;
  for (CBar* bar : bars) {
    for (int32_t i = 0; i < bar->Count() && !listed.empty(); ++i) {
      CD& button = *bar->At(i);
      auto entry = listed.find(&button);
      if (entry == listed.end()) continue;
      const std::string& path = *entry->second;
      if (button.Kind == kFile && button.IsSeparator != 1 && ResolveAgainstFolder(programFolder, button.Target) == path)
        changed = Answer(button, missing.count(path) != 0) || changed;
      listed.erase(entry);
    }
  }
  entries_.clear();
  return changed;
}
