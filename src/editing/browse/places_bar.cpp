#include "editing/browse/places_bar.h"

#include <algorithm>
#include <utility>

using namespace places;

std::string PlaceValueName(int index) { return "Place" + std::to_string(index); }

PlacesBarPolicy::PlacesBarPolicy(Registry& registry, std::string programKey)
    : registry_(registry), programKey_(std::move(programKey)) {}

void PlacesBarPolicy::SetManagerPlaces() {
  if (inForce_) return;
  // A copy from a run that ended with the manager open: the policy now holds
  // the manager's places, which must not be taken for the user's.
  RecoverLeftCopy();

  saved_.clear();
  createdLevels_ = 0;
  const bool keyExisted = registry_.KeyExists(kPlacesBarKey);
  if (!keyExisted) {
    if (!registry_.KeyExists(kPoliciesKey)) return;
    createdLevels_ = registry_.KeyExists(kComDlgKey) ? 1 : 2;
  } else {
    for (int i = 0; i < kPlaceCount; ++i) {
      if (auto value = registry_.ReadValue(kPlacesBarKey, PlaceValueName(i))) saved_.push_back(*value);
    }
  }
  // The copy goes first: whatever happens after it, the next start can undo.
  WriteCopy();
  if (!keyExisted && (!registry_.CreateSubkey(kPoliciesKey, "ComDlg32\\PlacesBar") ||
                      !registry_.KeyExists(kPlacesBarKey))) {
    DropCopy();
    saved_.clear();
    createdLevels_ = 0;
    return;
  }
  for (int i = 0; i < kPlaceCount; ++i) {
    registry_.WriteValue(kPlacesBarKey, PlaceValueName(i), DwordValue(kManagerPlaces[i]));
  }
  inForce_ = true;
}

void PlacesBarPolicy::RestoreUserPlaces() {
  if (!inForce_) return;
  inForce_ = false;
  bool complete = true;
  // A policy key that someone else has removed meanwhile holds nothing of ours.
  if (registry_.KeyExists(kPlacesBarKey)) {
    for (int i = 0; i < kPlaceCount; ++i) complete &= registry_.DeleteValue(kPlacesBarKey, PlaceValueName(i));
    for (size_t i = 0; i < saved_.size(); ++i) {
      complete &= registry_.WriteValue(kPlacesBarKey, PlaceValueName(static_cast<int>(i)), saved_[i]);
    }
    if (createdLevels_ >= 1) {
      complete &= registry_.DeleteSubkey(kComDlgKey, "PlacesBar");
      // Only a level that is still as empty as it was made goes again.
      if (createdLevels_ >= 2 && registry_.KeyIsEmpty(kComDlgKey)) {
        registry_.DeleteSubkey(kPoliciesKey, "ComDlg32");
      }
    }
  }
  saved_.clear();
  createdLevels_ = 0;
  // A restore that could not finish keeps the copy for the next start.
  if (complete) DropCopy();
}

bool PlacesBarPolicy::RecoverLeftCopy() {
  if (inForce_ || !registry_.KeyExists(BackupKey())) return false;
  const auto mark = registry_.ReadValue(BackupKey(), kBackupMark);
  const auto levels = mark ? DwordOf(*mark) : std::nullopt;
  if (!levels) {
    // The mark is written last, and the places only after it: without it the
    // user's values were never touched.
    DropCopy();
    return false;
  }
  saved_.clear();
  for (int i = 0; i < kPlaceCount; ++i) {
    if (auto value = registry_.ReadValue(BackupKey(), PlaceValueName(i))) saved_.push_back(*value);
  }
  createdLevels_ = std::min<uint32_t>(*levels, 2);
  inForce_ = true;
  RestoreUserPlaces();
  return true;
}

void PlacesBarPolicy::WriteCopy() {
  // Without a program key there is nowhere to keep a copy; the restore then
  // works from memory alone.
  if (!registry_.CreateSubkey(programKey_, places::kBackupName)) return;
  const std::string key = BackupKey();
  registry_.DeleteValue(key, kBackupMark);
  bool written = true;
  for (int i = 0; i < kPlaceCount; ++i) {
    const std::string name = PlaceValueName(i);
    written &= i < static_cast<int>(saved_.size()) ? registry_.WriteValue(key, name, saved_[i])
                                                   : registry_.DeleteValue(key, name);
  }
  if (written) registry_.WriteValue(key, kBackupMark, DwordValue(createdLevels_));
}

void PlacesBarPolicy::DropCopy() {
  if (registry_.KeyExists(BackupKey())) registry_.DeleteSubkey(programKey_, places::kBackupName);
}
