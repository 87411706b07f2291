// The buttons manager's working fields: what the right-hand side of the dialog
// shows and edits before the leave step puts it into the model.
#pragma once

#include <cstdint>

#include "db/button_fields.h"

struct WorkingFields : ButtonFields {
  // 0 normal, 1 maximized, 2 minimized (the "Window size" list).
  int32_t SizeChoice = 0;

  friend bool operator==(const WorkingFields&, const WorkingFields&) = default;
};
