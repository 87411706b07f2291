// What the editing dialogs hand to CDB::AddButton to create a button.
#pragma once

#include <cstdint>
#include <string>

struct ButtonSpec {
  std::string Target;
  std::string Name;
  std::string WorkDir;
  std::string Arguments;
  std::string IconFile;
  int32_t IconIndex = 0;
  int32_t ShowCmd = 1;
  int32_t Kind = 0;
  int32_t Bar = 0;  // ordinal of the bar
  int32_t Position = -1;  // -1: at the end
  int32_t Available = 1;
};
