// A copy of the whole model in memory: the bars with their buttons and the
// home bar. The database keeps one beside its undo copy, so that a Cancel
// whose files cannot be read still ends where the undo point began; the
// buttons manager keeps one when it could not take an undo copy at all.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "db/cd.h"

class CDB;

class ModelSnapshot {
 public:
  static ModelSnapshot Take(const CDB& db);
  // Replaces every bar of `db` with the copied ones and restores the home bar.
  void Restore(CDB& db) const;

 private:
  struct BarCopy {
    std::string Name;
    int32_t ShowOnLaunch = 0;
    int32_t ShowOnTimer = 0;
    int32_t ShowAfter = 0;
    std::string IconFile;
    int32_t IconIndex = 0;
    int32_t Available = 1;
    std::vector<CD> Buttons;
  };

  std::vector<BarCopy> bars_;
  int32_t homeBar_ = -1;
};
