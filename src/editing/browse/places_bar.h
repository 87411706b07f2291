// The places bar of the system's file dialogs while the buttons manager is
// open: the manager's five folders replace the user's per-user policy values
// "Place0".."Place4", and closing the manager puts the user's values back,
// renumbered from "Place0", each with its own type and data.
//
// So that a run that ends while the manager is open does not leave the user's
// dialogs with the manager's places for good, the user's values (and whether
// the policy key had to be made) are copied into the program's own key before
// anything is changed, and the manager's places go in only once that copy is
// complete and marked so; the restore removes the copy, and the next start puts
// a copy that is still there back the same way. Only the run that holds the
// places hold (the one whose manager has its places in force) touches the
// policy or the copy: a second run starting meanwhile leaves both alone.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/registry.h"

namespace places {
constexpr const char* kPoliciesKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies";
constexpr const char* kComDlgKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\ComDlg32";
constexpr const char* kPlacesBarKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\ComDlg32\\PlacesBar";
constexpr const char* kDefaultProgramKey = "SOFTWARE\\Orvantis Software";
// The copy's subkey below the program's key, and its completion mark.
constexpr const char* kBackupName = "PlacesBarBackup";
constexpr const char* kBackupMark = "CreatedLevels";
constexpr int kPlaceCount = 5;
// Shell special folders: common programs, documents, network, recent, favorites.
constexpr uint32_t kManagerPlaces[kPlaceCount] = {23, 5, 18, 8, 6};
}  // namespace places

// "Place0" … "Place4".
std::string PlaceValueName(int index);

// One holder at a time across the runs of the program. Windows: a named kernel
// object that lives as long as its holder keeps it open; tests: a shared flag.
class PlacesHold {
 public:
  virtual ~PlacesHold() = default;
  // False when another holder has it (or it cannot be told).
  virtual bool Take() = 0;
  virtual void Release() = 0;
};

class PlacesBarPolicy {
 public:
  PlacesBarPolicy(Registry& registry, PlacesHold& hold, std::string programKey = places::kDefaultProgramKey);

  // When the manager opens. Registry failures are silent: when the policy key
  // can neither be opened nor made, when the copy cannot be written in full,
  // or while another run holds the places, nothing of the user's changes.
  void SetManagerPlaces();
  // When the manager closes through OK or Cancel; nothing when the manager's
  // places are not in force.
  void RestoreUserPlaces();
  // At start-up: puts back what a copy left by an earlier run holds. True when
  // there was a complete copy to restore; nothing while another run holds the
  // places (its manager is open and the copy is its own).
  bool RecoverLeftCopy();

  bool ManagerPlacesInForce() const { return inForce_; }
  std::string BackupKey() const { return programKey_ + "\\" + places::kBackupName; }

 private:
  bool PutBackLeftCopy();
  void PutBack();
  bool ReadUserPlaces();
  bool WriteCopy();
  void DropCopy();
  void GiveUp();

  Registry& registry_;
  PlacesHold& hold_;
  std::string programKey_;
  // The user's values in their order, renumbered from "Place0" when put back.
  std::vector<RegistryValue> saved_;
  // How many levels of the policy key the manager made: 0 none, 1 "PlacesBar",
  // 2 "ComDlg32" as well.
  uint32_t createdLevels_ = 0;
  bool inForce_ = false;
};
