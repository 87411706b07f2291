#include "editing/browse/places_bar.h"

#include <algorithm>
#include <utility>

using namespace places;

std::string PlaceValueName(int index) { return "Place" + std::to_string(index); }

PlacesBarPolicy::PlacesBarPolicy(Registry& registry, PlacesHold& hold, std::string programKey)
    : registry_(registry), hold_(hold), programKey_(std::move(programKey)) {}

void PlacesBarPolicy::SetManagerPlaces() {
  if (inForce_ || !hold_.Take()) return;
  // A copy from a run that ended with the manager open: the policy now holds
  // the manager's places, which must not be taken for the user's. A copy that
  // could not be put back stays the only record of them: nothing more changes.
  PutBackLeftCopy();
  if (registry_.KeyExists(BackupKey()) || !ReadUserPlaces()) return GiveUp();
  // The copy goes first, whole and marked: whatever happens after it, the next
  // start can undo. Without it the user's places are left as they are.
  if (!WriteCopy()) {
    DropCopy();
    return GiveUp();
  }
  if (createdLevels_ > 0 && (!registry_.CreateSubkey(kPoliciesKey, "ComDlg32\\PlacesBar") ||
                             !registry_.KeyExists(kPlacesBarKey))) {
    DropCopy();
    return GiveUp();
  }
  for (int i = 0; i < kPlaceCount; ++i) {
    registry_.WriteValue(kPlacesBarKey, PlaceValueName(i), DwordValue(kManagerPlaces[i]));
  }
  inForce_ = true;
}

void PlacesBarPolicy::RestoreUserPlaces() {
  if (!inForce_) return;
  PutBack();
  hold_.Release();
}

bool PlacesBarPolicy::RecoverLeftCopy() {
  if (inForce_ || !hold_.Take()) return false;
  const bool recovered = PutBackLeftCopy();
  hold_.Release();
  return recovered;
}

bool PlacesBarPolicy::ReadUserPlaces() {
  saved_.clear();
  createdLevels_ = 0;
  if (!registry_.KeyExists(kPlacesBarKey)) {
    if (!registry_.KeyExists(kPoliciesKey)) return false;
    createdLevels_ = registry_.KeyExists(kComDlgKey) ? 1 : 2;
    return true;
  }
  for (int i = 0; i < kPlaceCount; ++i) {
    if (auto value = registry_.ReadValue(kPlacesBarKey, PlaceValueName(i))) saved_.push_back(*value);
  }
  return true;
}

void PlacesBarPolicy::PutBack() {
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

bool PlacesBarPolicy::PutBackLeftCopy() {
  if (!registry_.KeyExists(BackupKey())) return false;
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
  PutBack();
  return true;
}

bool PlacesBarPolicy::WriteCopy() {
  // A fresh key: a copy left over was put back (and dropped) before this.
  if (!registry_.CreateSubkey(programKey_, places::kBackupName)) return false;
  const std::string key = BackupKey();
  for (size_t i = 0; i < saved_.size(); ++i) {
    if (!registry_.WriteValue(key, PlaceValueName(static_cast<int>(i)), saved_[i])) return false;
  }
  return registry_.WriteValue(key, kBackupMark, DwordValue(createdLevels_));
}

void PlacesBarPolicy::DropCopy() {
  if (registry_.KeyExists(BackupKey())) registry_.DeleteSubkey(programKey_, places::kBackupName);
}

void PlacesBarPolicy::GiveUp() {
  saved_.clear();
  createdLevels_ = 0;
  hold_.Release();
}
