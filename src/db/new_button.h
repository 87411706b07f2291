// What the editing dialogs hand to CDB::AddButton to create a button.
#pragma once

#include <cstdint>

#include "db/button_fields.h"
#include "db/cd.h"

struct ButtonSpec : ButtonFields {
  int32_t ShowCmd = 1;
  int32_t Kind = kFile;
  int32_t Bar = 0;  // ordinal of the bar
  int32_t Position = -1;  // -1: at the end
  int32_t Available = 1;
};
