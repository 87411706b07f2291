// Database files other than "lbars.acc": kept copies, files of bars to take
// along, and a kept copy put back in place of the database.
#include "db/cdb.h"
#include "db/db_paths.h"
#include "platform/file_ops.h"

int CDB::ReadOther(const std::string& path) {
  // What this file lost says nothing about "lbars.acc".
  const bool keepDatabase = keepFileBeforeSave_;
  bars_.clear();
  homeBar_ = -1;
  const bool read = LoadBars(path) == 1;
  const bool whole = read && !keepFileBeforeSave_;
  keepFileBeforeSave_ = keepDatabase;
  return whole ? 1 : 0;
}

int CDB::WriteOther(const std::string& path) {
  // Written beside the target first, so that a file of that name is replaced
  // only by a whole one.
  const std::string part = path + ".part";
  if (!WriteNewFile(part) || !files_.Move(part, path)) {
    files_.Delete(part);
    return 0;
  }
  return 1;
}

int CDB::ReplaceWith(const std::string& path) {
  if (undoActive_) return 0;
  const Replaced replaced =
      ReplaceDatabaseWith([&](const std::string& target) { return files_.Copy(path, target) && files_.Flush(target); });
  switch (replaced) {
    case Replaced::kDone:
    case Replaced::kDoneCopyLeft:
      break;
    case Replaced::kFileStepFailed: ReportStorageError(" CDB::ReplaceWith 1)"); return 0;
    case Replaced::kNewFileFailed: ReportStorageError(" CDB::ReplaceWith 2)"); return 0;
    case Replaced::kKeepFailed: ReportStorageError(" CDB::ReplaceWith 3)"); return 0;
  }
  DeferSlowTargetsOnNextLoad();
  return Load();
}
