// The table of texts the program builds in code, by number, and the map from
// logical dialog-template ids to resource ids.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>

#include "core/message_ids.h"

// The program's own name: the caption of its message boxes and windows.
inline const char* ProgramTitle() { return "Orvantis.Quickrail"; }

class MessageTexts {
 public:
  MessageTexts();
  // A copy of the text; an unknown id yields "" and is remembered with "".
  std::string Text(int32_t id);
  // The resource id of a template; an unknown id yields 0 and is remembered with 0.
  int32_t TemplateId(int32_t id);

 private:
  std::unordered_map<int32_t, std::string> texts_;
  std::unordered_map<int32_t, int32_t> templates_;
};

