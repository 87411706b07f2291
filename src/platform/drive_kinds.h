// The kinds of the drives by letter, each asked of the system once: a drive's
// kind does not change while a load or a check runs, and asking again for
// every path on it would cost a call per button.
#pragma once

#include <map>

#include "platform/file_ops.h"

class DriveKinds {
 public:
  // "c" and "C" are the same drive.
  DriveKind Of(char letter, FileOps& files) {
    if (letter >= 'a' && letter <= 'z') letter = static_cast<char>(letter - 'a' + 'A');
    auto known = known_.find(letter);
    if (known == known_.end()) known = known_.emplace(letter, files.DriveKindOf(letter)).first;
    return known->second;
  }
  void Forget() { known_.clear(); }

 private:
  std::map<char, DriveKind> known_;
};
