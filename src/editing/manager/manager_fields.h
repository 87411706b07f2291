// Everything the right-hand side of the buttons manager shows and edits: the
// working fields of a button plus those only a bar has.
#pragma once

#include <cstdint>

#include "editing/manager/working_fields.h"

struct ManagerFields : WorkingFields {
  int32_t Available = 1;
  int32_t ShowOnLaunch = 0;
  int32_t ShowOnTimer = 0;
  int32_t ShowAfterSeconds = 1;

  friend bool operator==(const ManagerFields&, const ManagerFields&) = default;
};
