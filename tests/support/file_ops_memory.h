// Files held in memory, for tests of the save protocol: any operation can be
// made to fail, and the process can be "killed" after a number of changing
// operations (a write cut off this way leaves half of its bytes behind).
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/file_ops.h"
#include "platform/storage_fault_plan.h"

class MemoryFileSystem : public FileOps {
 public:
  enum class Op { kExists, kMove, kCopy, kDelete, kFlush, kRead, kWrite, kMakeFolder, kList };

  bool Exists(const std::string& path) override;
  bool Move(const std::string& from, const std::string& to) override;
  bool Copy(const std::string& from, const std::string& to) override;
  bool Delete(const std::string& path) override;
  bool Flush(const std::string& path) override;
  bool ReadAll(const std::string& path, std::string& bytes) override;
  bool WriteAll(const std::string& path, const std::string& bytes) override;
  bool MakeFolder(const std::string& path) override;
  // Lists the files whose path is the folder, a backslash and a name.
  bool ListFiles(const std::string& folder, std::vector<std::string>& names) override;
  // Drives are fixed unless a test says otherwise.
  DriveKind DriveKindOf(char letter) override;

  void SetDriveKind(char letter, DriveKind kind) { drives_[Upper(letter)] = kind; }
  // How often DriveKindOf was asked about the letter.
  int DriveQuestions(char letter) const;
  // How often Exists was asked about the path.
  int ExistsQuestions(const std::string& path) const;

  FaultPlan<Op>& Faults() { return faults_; }
  // After `count` more changing operations (move, copy, delete, flush, write)
  // every operation fails and changes nothing, as if the process had died.
  void KillAfter(int count) { changesLeft_ = count; }
  void Revive() { changesLeft_ = -1; }
  bool Killed() const { return changesLeft_ == 0; }

  // Direct access for tests; the folder "" holds every path.
  void Put(const std::string& path, const std::string& bytes) { files_[path] = bytes; }
  bool Has(const std::string& path) const { return files_.count(path) != 0; }
  std::string Contents(const std::string& path) const;
  std::vector<std::string> Names() const;
  // One line per changing operation that took effect, e.g. "move a b".
  const std::vector<std::string>& Journal() const { return journal_; }
  void ClearJournal() { journal_.clear(); }

 private:
  // False when the operation is to fail (injected fault or dead process).
  bool Allow(Op op);
  bool AllowChange(Op op);
  static char Upper(char letter) {
    return letter >= 'a' && letter <= 'z' ? static_cast<char>(letter - 'a' + 'A') : letter;
  }

  std::map<std::string, std::string> files_;
  std::set<std::string> folders_;
  FaultPlan<Op> faults_;
  int changesLeft_ = -1;
  std::vector<std::string> journal_;
  std::map<char, DriveKind> drives_;
  std::map<char, int> driveQuestions_;
  std::map<std::string, int> existsQuestions_;
};
