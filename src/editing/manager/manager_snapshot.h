// A copy of the whole model in memory. The manager keeps one only when it could
// not take an undo copy of the database file, so that Cancel can still put
// every bar and button back as they were.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "db/cd.h"

class CDB;

class ManagerSnapshot {
 public:
  static ManagerSnapshot Take(const CDB& db);
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
