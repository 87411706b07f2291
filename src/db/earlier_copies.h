// Earlier copies of the database, kept by themselves in the folder "backups"
// of the program folder: before the first save of a day replaces "lbars.acc",
// the file as it was becomes "backups\lbars-YYYY-MM-DD.acc". A restore keeps
// the database as it is first, as the day's next copy ("..._2.acc"). Only the
// newest kCopiesKept stay. A copy holding the same bars as the newest one is
// not kept again, and a database that does not read whole is never kept (the
// database code keeps that one aside as "lbars_unreadable.acc").
//
// Copies are written under a scratch name and renamed when whole, so a copy
// cut off half way is never taken for one; a copy that cannot be written is
// skipped and the next save tries again.
#pragma once

#include <compare>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class CDB;

inline constexpr const char* kCopiesFolderName = "backups";
inline constexpr int kCopiesKept = 14;

struct CopyDate {
  int year = 0;
  int month = 0;
  int day = 0;
  auto operator<=>(const CopyDate&) const = default;
};

// The local date now.
CopyDate LocalToday();
// "lbars-2026-03-01.acc" for the day's first copy (n 1), "lbars-2026-03-01_2.acc" for its second.
std::string CopyFileName(const CopyDate& date, int n);
// False for every name that CopyFileName does not make.
bool ParseCopyFileName(const std::string& name, CopyDate& date, int& n);

struct KeptCopy {
  std::string path;
  CopyDate date;
  int n = 1;
};

// What a database file holds.
struct DatabaseSummary {
  bool whole = false;  // read without a storage error or a lost part
  int bars = 0;
  int buttons = 0;  // separators are not counted
  std::vector<std::string> barNames;
  // Every record of the bars and buttons in order: equal contents, equal bars.
  std::string contents;
};

// Reads the file with the storage, files and program folder of `like`.
DatabaseSummary SummarizeDatabase(const CDB& like, const std::string& path);

class EarlierCopies {
 public:
  using Today = std::function<CopyDate()>;

  // The copies of `db`'s database, in its program folder.
  EarlierCopies(CDB& db, Today today);

  std::string Folder() const;
  // Newest first: by date, then by the number of the day's copy.
  std::vector<KeptCopy> List() const;

  // Before a save replaces the database at `database`: the day's first save
  // keeps it. Never throws and never fails the save.
  void KeepDaily(const std::string& database) noexcept;

  enum class Kept { kKept, kNotNeeded, kFailed };
  // The database as it is now becomes today's next copy, unless the newest
  // copy holds the same bars or the file does not read whole. Deletes nothing.
  Kept KeepNow(const std::string& database);
  // Deletes every copy but the newest kCopiesKept.
  void Prune();

 private:
  Kept KeepAs(const std::string& database, const CopyDate& date, const std::vector<KeptCopy>& copies);
  bool SameAsNewest(const std::string& database, const DatabaseSummary& summary, const std::vector<KeptCopy>& copies);
  bool WriteCopy(const std::string& database, const std::string& target);

  CDB& db_;
  Today today_;
  // The day whose copy has been kept or found needless: later saves that
  // day ask nothing of the disk.
  std::optional<CopyDate> dayDone_;
};

enum class RestoreOutcome {
  kRestored,
  kUndoHeld,  // the buttons manager holds an undo point: nothing was done
  kDamaged,   // the copy does not read whole: nothing was done
  kNotKept,   // the database as it is could not be kept: nothing was done
  kFailed,    // putting the copy in place failed (reported); the database stands
};

// Keeps the database as it is, puts the copy in its place by the steps a save
// takes and reads it into `db`.
RestoreOutcome RestoreCopy(CDB& db, EarlierCopies& copies, const KeptCopy& copy);
