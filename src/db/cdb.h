// The button database: all bars, the home bar and the undo state. One instance
// lives for the whole run, owned by the application. Bars are kept in their stored order; a
// bar's index is its ordinal, and the database tells each bar its ordinal
// whenever that changes, so command ids stay equal to
// ButtonCommandId(ordinal, position).
//
// The database file "lbars.acc" lies in the program folder, beside the save
// copy "tmp_db.acc" and the undo copy "undo_tmp.acc". Storage errors go to the
// error reporter as the failing step (" (IStorage:  CDB::Load 1)"); whoever shows
// them puts message 83 in front.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "db/new_button.h"
#include "db/cbar.h"
#include "db/model_snapshot.h"
#include "db/target_check.h"

class FileOps;
class StorageBackend;

class CDB {
 public:
  using ErrorReporter = std::function<void(const std::string& text)>;

  // The platform's storage and files; errors are not reported (tools and tests).
  CDB();
  CDB(StorageBackend& storage, FileOps& files, ErrorReporter reporter);
  ~CDB();
  CDB(const CDB&) = delete;
  CDB& operator=(const CDB&) = delete;

  void SetProgramFolder(std::string folder) { programFolder_ = std::move(folder); }
  const std::string& ProgramFolder() const { return programFolder_; }
  void SetErrorReporter(ErrorReporter reporter) { reporter_ = std::move(reporter); }

  // Ordinal of the new bar (always made: the new bar goes at the end).
  int32_t AddBar(const std::string& name);
  // 1 when the button was added; 0 when the bar or the position names nothing.
  int AddButton(ButtonSpec request);
  // The number of bars left. The home bar stays on the same bar (-1 when it
  // is the one deleted).
  int32_t DeleteBar(int32_t ordinal);
  // The home-bar mark moves with its bar.
  void SwapBars(int32_t first, int32_t second);
  // Takes -1 … BarCount() - 1; anything else changes nothing.
  void SetHomeBar(int32_t ordinal);
  int32_t GetHomeBar() const { return homeBar_; }
  int32_t BarCount() const { return static_cast<int32_t>(bars_.size()); }
  // Null when the ordinal names no bar.
  CBar* Bar(int32_t ordinal);
  const CBar* Bar(int32_t ordinal) const;
  // The program's executable, the icon of every new bar.
  std::string DefaultIconFile() const;

  // 1 on success and when there is no database file; 0 after a storage error.
  int Load();
  // False after a Load that returned 0 (start-up then builds no sample bar).
  bool LastLoadSucceeded() const { return lastLoadSucceeded_; }
  // 1 when the whole database reached the disk (a save copy that could not
  // be deleted afterwards is left without a word: the new file stands); 0
  // otherwise, and then the previous file, or none, is still in place.
  int Save();
  // The next Load leaves file targets on removable drives and network paths
  // unasked (such a look-up can stall the bar for seconds): their buttons keep
  // their stored Available and are listed in SlowTargets() until the answers
  // of a later check are applied. Later loads ask about every target.
  void DeferSlowTargetsOnNextLoad() { slowTargets_.DeferOnNextLoad(); }
  const DeferredTargets& SlowTargets() const { return slowTargets_; }
  // Hides the listed buttons whose target was found missing and shows those
  // hidden for a missing target that was found (see DeferredTargets::Apply);
  // true when a button changed (the bar is to rebuild its buttons).
  bool ApplyTargetAnswers(const TargetAnswers& answers) { return slowTargets_.Apply(*this, answers); }
  // Volumes arrived on the drive letters of `unitMask` (bit 0 is A:): the file
  // buttons with a target there join SlowTargets(); true when it is not empty.
  bool ListTargetsOnDrives(uint32_t unitMask) { return slowTargets_.ListDrives(*this, unitMask); }

  // What Cancel's rollback did. Whatever it is, no edit of the cancelled
  // session stays in memory, and the bars are never emptied by it.
  enum class Rollback {
    kNoUndoPoint,     // nothing was held; nothing changed
    kRestored,        // "lbars.acc" and the model are back at the undo point
    kFromUndoCopy,    // the file could not be put back, or not read once it
                      // was; the model was read from the undo copy, which
                      // stays (the undo point too)
    kFromDatabase,    // the model was read from "lbars.acc" as it is
    kUnreadable,      // no file could be read: the model is the copy kept in
                      // memory when the undo point was taken
  };

  // 1 when the undo copy was taken; 0 when one is already held, there is no
  // database file, or the copy failed (reported).
  int BeginUndo();
  int CommitUndo();
  // Puts the undo copy back in place of "lbars.acc" and reads it; the undo
  // copy is deleted only once the restored file has been read. A step that
  // fails is reported and the model is read from the undo copy, else from
  // "lbars.acc", else taken from memory. Every load here leaves slow targets
  // to the background check.
  Rollback RollbackUndo();
  int32_t UndoActive() const { return undoActive_; }

  // Called with the path of "lbars.acc" before a save or a restore replaces a
  // database that reads whole (earlier_copies.h keeps a copy of it then).
  void SetBeforeReplace(std::function<void(const std::string& database)> hook) { beforeReplace_ = std::move(hook); }
  // Reads another database file (a kept copy, a file to import) in place of
  // the bars in memory, recovering and keeping aside nothing; 1 when the file
  // was read whole, 0 when it could not be opened or lost a part.
  int ReadOther(const std::string& path);
  // Writes the bars in memory as a database file of its own at `path`; 1 when
  // it is whole on the disk.
  int WriteOther(const std::string& path);
  // Puts a copy of the database file at `path` in place of "lbars.acc" by the
  // steps a save takes and loads it; 0 (nothing changed) while an undo point is
  // held or when a step fails (reported).
  int ReplaceWith(const std::string& path);
  StorageBackend& StorageOf() const { return storage_; }
  FileOps& Files() const { return files_; }

 private:
  std::string PathOf(const char* fileName) const;
  void ReportStorageError(const std::string& suffix) const;
  void Renumber(size_t from);
  enum class Replaced { kDone, kDoneCopyLeft, kNewFileFailed, kFileStepFailed, kKeepFailed };

  int LoadBars(const std::string& path);
  // After a rollback that could not put the file back (`restored` false) or
  // could not read it once it was.
  Rollback ReloadAfterFailedRollback(bool restored);
  // Drops the undo point; the copy on the disk stays unless `deleteCopy`.
  void EndUndo(bool deleteCopy);
  // Called as every load begins: where this load keeps the targets it leaves
  // unasked, or null when it asks about all of them.
  DeferredTargets* BeginTargetDeferral() { return slowTargets_.BeginLoad(); }
  // "lbars.acc" holds a database: it exists and is not the empty file that a
  // first save cut off before it wrote anything leaves behind.
  bool HoldsDatabase();
  // The whole of "lbars.acc" reads without a storage error or a lost part.
  bool DatabaseReadsWhole();
  bool WriteNewFile(const std::string& path);
  // Puts the file that makeNewFile writes at `path` in place of "lbars.acc".
  Replaced ReplaceDatabaseWith(const std::function<bool(const std::string& path)>& makeNewFile);
  Replaced WriteFirstDatabase(const std::function<bool(const std::string& path)>& makeNewFile);
  void RecoverUnfinishedSave();
  // Copies the file to a free "<stem>[_N].acc", unless one of those already
  // holds the same bytes (a damaged file is kept once, however often it is
  // about to be replaced).
  bool KeepBeside(const std::string& path, const char* stem);
  bool AlreadyKept(const std::string& path, const char* stem);
  // "<stem>.acc", else "<stem>_2.acc" … in the program folder; "" when all are taken.
  std::string FreeNameBeside(const char* stem);
  std::string KeptName(const char* stem, int n) const;

  StorageBackend& storage_;
  FileOps& files_;
  ErrorReporter reporter_;
  std::string programFolder_;
  std::vector<std::unique_ptr<CBar>> bars_;
  int32_t homeBar_ = -1;
  int32_t undoActive_ = 0;
  // The model as it was when the undo point was taken: the last resort of a
  // Cancel that can read neither file.
  std::optional<ModelSnapshot> undoModel_;
  // The file on disk holds more than memory does (it could not be read, or
  // parts of it were damaged): the next save keeps a copy of it first.
  bool keepFileBeforeSave_ = false;
  bool lastLoadSucceeded_ = true;
  DeferredTargets slowTargets_;
  std::function<void(const std::string& database)> beforeReplace_;
};

