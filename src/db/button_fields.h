// What a button opens and how it looks: the fields the model keeps, the
// buttons manager edits and a new button is made from.
#pragma once

#include <cstdint>
#include <string>

struct ButtonFields {
  std::string Target;
  std::string Name;
  std::string WorkDir;
  std::string Arguments;
  std::string IconFile;
  int32_t IconIndex = 0;

  friend bool operator==(const ButtonFields&, const ButtonFields&) = default;
};
