#include "db/earlier_copies.h"

#include <algorithm>
#include <cstdio>
#include <ctime>

#include "db/cdb.h"
#include "db/db_paths.h"
#include "db/records.h"
#include "platform/byte_codec.h"
#include "platform/file_ops.h"

namespace {

constexpr const char* kCopyPrefix = "lbars-";
constexpr const char* kCopySuffix = ".acc";
// Where a copy is written before it is renamed to its own name.
constexpr const char* kScratchName = "lbars-copy.tmp";

bool ReadNumber(const std::string& text, size_t at, size_t digits, int& value) {
  if (at + digits > text.size()) return false;
  value = 0;
  for (size_t i = at; i < at + digits; ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    value = value * 10 + (text[i] - '0');
  }
  return true;
}

void PutRecord(std::string& out, const std::string& record) {
  PutU32(out, static_cast<uint32_t>(record.size()));
  out += record;
}

}  // namespace

CopyDate LocalToday() {
  const std::time_t now = std::time(nullptr);
  const std::tm* local = std::localtime(&now);
  if (!local) return {1970, 1, 1};
  return {local->tm_year + 1900, local->tm_mon + 1, local->tm_mday};
}

std::string CopyFileName(const CopyDate& date, int n) {
  char text[48];
  if (n <= 1)
    std::snprintf(text, sizeof(text), "%s%04d-%02d-%02d%s", kCopyPrefix, date.year, date.month, date.day, kCopySuffix);
  else
    std::snprintf(text, sizeof(text), "%s%04d-%02d-%02d_%d%s", kCopyPrefix, date.year, date.month, date.day, n,
                  kCopySuffix);
  return text;
}

bool ParseCopyFileName(const std::string& name, CopyDate& date, int& n) {
  const std::string prefix = kCopyPrefix;
  const std::string suffix = kCopySuffix;
  if (name.size() < prefix.size() + 10 + suffix.size() || name.compare(0, prefix.size(), prefix) != 0 ||
      name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
    return false;
  const size_t at = prefix.size();
  if (!ReadNumber(name, at, 4, date.year) || name[at + 4] != '-' || !ReadNumber(name, at + 5, 2, date.month) ||
      name[at + 7] != '-' || !ReadNumber(name, at + 8, 2, date.day))
    return false;
  if (date.month < 1 || date.month > 12 || date.day < 1 || date.day > 31) return false;
  const std::string rest = name.substr(at + 10, name.size() - suffix.size() - at - 10);
  n = 1;
  if (rest.empty()) return true;
  if (rest.size() < 2 || rest.size() > 5 || rest[0] != '_' || rest[1] == '0') return false;
  return ReadNumber(rest, 1, rest.size() - 1, n) && n >= 2;
}

DatabaseSummary SummarizeDatabase(const CDB& like, const std::string& path) {
  DatabaseSummary summary;
  CDB probe(like.StorageOf(), like.Files(), nullptr);
  probe.SetProgramFolder(like.ProgramFolder());
  // What the copy holds does not depend on the targets: slow drives are left alone.
  probe.DeferSlowTargetsOnNextLoad();
  summary.whole = probe.ReadOther(path) == 1;
  summary.bars = probe.BarCount();
  PutRecord(summary.contents, EncodeDatabaseInfo(probe.GetHomeBar()));
  for (int32_t b = 0; b < probe.BarCount(); ++b) {
    const CBar& bar = *probe.Bar(b);
    summary.barNames.push_back(bar.Name);
    PutRecord(summary.contents, EncodeBarRecord(bar));
    PutU32(summary.contents, static_cast<uint32_t>(bar.Count()));
    for (int32_t i = 0; i < bar.Count(); ++i) {
      const CD& button = *bar.At(i);
      if (button.IsSeparator != 1 && button.Kind != kSeparator) ++summary.buttons;
      PutRecord(summary.contents, EncodeButtonRecord(button));
    }
  }
  return summary;
}

EarlierCopies::EarlierCopies(CDB& db, Today today) : db_(db), today_(std::move(today)) {}

std::string EarlierCopies::Folder() const { return JoinPath(db_.ProgramFolder(), kCopiesFolderName); }

std::vector<KeptCopy> EarlierCopies::List() const {
  std::vector<std::string> names;
  db_.Files().ListFiles(Folder(), names);
  std::vector<KeptCopy> copies;
  for (const std::string& name : names) {
    KeptCopy copy;
    if (ParseCopyFileName(name, copy.date, copy.n)) {
      copy.path = JoinPath(Folder(), name);
      copies.push_back(std::move(copy));
    }
  }
  std::sort(copies.begin(), copies.end(), [](const KeptCopy& a, const KeptCopy& b) {
    return a.date != b.date ? a.date > b.date : a.n > b.n;
  });
  return copies;
}

void EarlierCopies::KeepDaily(const std::string& database) noexcept {
  try {
    const CopyDate today = today_();
    if (dayDone_ == today) return;
    const std::vector<KeptCopy> copies = List();
    const bool keptToday =
        std::any_of(copies.begin(), copies.end(), [&](const KeptCopy& c) { return c.date == today; });
    if (!keptToday && KeepAs(database, today, copies) == Kept::kFailed) return;  // the next save tries again
    dayDone_ = today;
    Prune();
  } catch (...) {
    // A copy is never worth a save: whatever went wrong, the save goes on.
  }
}

EarlierCopies::Kept EarlierCopies::KeepNow(const std::string& database) {
  return KeepAs(database, today_(), List());
}

void EarlierCopies::Prune() {
  const std::vector<KeptCopy> copies = List();
  for (size_t i = kCopiesKept; i < copies.size(); ++i) db_.Files().Delete(copies[i].path);
}

EarlierCopies::Kept EarlierCopies::KeepAs(const std::string& database, const CopyDate& date,
                                          const std::vector<KeptCopy>& copies) {
  const DatabaseSummary summary = SummarizeDatabase(db_, database);
  if (!summary.whole || SameAsNewest(database, summary, copies)) return Kept::kNotNeeded;
  int n = 1;
  for (const KeptCopy& copy : copies)
    if (copy.date == date) n = std::max(n, copy.n + 1);
  return WriteCopy(database, JoinPath(Folder(), CopyFileName(date, n))) ? Kept::kKept : Kept::kFailed;
}

bool EarlierCopies::SameAsNewest(const std::string& database, const DatabaseSummary& summary,
                                 const std::vector<KeptCopy>& copies) {
  if (copies.empty()) return false;
  std::string now;
  std::string newest;
  if (db_.Files().ReadAll(database, now) && db_.Files().ReadAll(copies.front().path, newest) && now == newest)
    return true;
  // A save of unchanged bars writes other bytes for the same records.
  const DatabaseSummary kept = SummarizeDatabase(db_, copies.front().path);
  return kept.whole && kept.contents == summary.contents;
}

bool EarlierCopies::WriteCopy(const std::string& database, const std::string& target) {
  FileOps& files = db_.Files();
  const std::string scratch = JoinPath(Folder(), kScratchName);
  if (files.MakeFolder(Folder()) && files.Copy(database, scratch) && files.Flush(scratch) &&
      files.Move(scratch, target))
    return true;
  files.Delete(scratch);
  return false;
}

RestoreOutcome RestoreCopy(CDB& db, EarlierCopies& copies, const KeptCopy& copy) {
  if (db.UndoActive()) return RestoreOutcome::kUndoHeld;
  if (!SummarizeDatabase(db, copy.path).whole) return RestoreOutcome::kDamaged;
  const std::string database = JoinPath(db.ProgramFolder(), kDatabaseFileName);
  if (copies.KeepNow(database) == EarlierCopies::Kept::kFailed) return RestoreOutcome::kNotKept;
  if (!db.ReplaceWith(copy.path)) return RestoreOutcome::kFailed;
  // Only now: the copy being put back may be the oldest.
  copies.Prune();
  return RestoreOutcome::kRestored;
}
