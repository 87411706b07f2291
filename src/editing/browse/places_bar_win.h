// The places bar on the real per-user registry.
#pragma once

#include <string>

#include "editing/browse/places_bar.h"
#include "platform/handles_win.h"

// The places hold as a named mutex of the session, named after the program's
// key: it exists while a holder keeps its handle open, and goes with the
// holder's process if that ends first.
class NamedPlacesHold : public PlacesHold {
 public:
  explicit NamedPlacesHold(const std::string& programKey = places::kDefaultProgramKey);
  bool Take() override;
  void Release() override { handle_.Reset(); }

 private:
  std::string name_;
  UniqueKernelHandle handle_;
};

// At start-up, before anything opens a file dialog: a copy of the user's
// places left by a run that ended while the buttons manager was open is put
// back, unless another run's manager has its places in force. `programKey` is
// the program's registry key below HKEY_CURRENT_USER. True when there was a
// copy to restore.
bool RestorePlacesLeftByEarlierRun(const std::string& programKey = places::kDefaultProgramKey);
