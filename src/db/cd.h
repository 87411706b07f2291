// One button of a bar: a file, folder or internet shortcut to open, or a
// separator. The stored record's order of the fields is in records.cpp.
#pragma once

#include <cstdint>
#include <string>

#include "db/button_fields.h"

class Storage;
class Stream;
struct DatabaseIo;

enum ButtonKind : int32_t {
  kSeparator = -1,
  kFile = 0,
  kFolder = 1,
  kInternet = 2,
};

// Command ids of buttons: bar ordinal and position inside the bar.
constexpr int32_t kFirstButtonCommand = 1124;
constexpr int32_t kButtonsPerBar = 64;
constexpr int32_t kLastButtonCommand = 17508;

constexpr int32_t ButtonCommandId(int32_t ordinal, int32_t position) {
  return kFirstButtonCommand + kButtonsPerBar * ordinal + position;
}

struct CD : ButtonFields {
  int32_t ShowCmd = 1;
  int32_t Kind = kSeparator;
  int32_t Available = 1;
  int32_t IsSeparator = 0;
  int32_t CommandId = 0;   // while the program runs; never stored
  int32_t ImageIndex = -1;  // set by the bar window; never stored
  // Set while Available is 0 only because a check found the file target
  // missing (the load or a later check), so that the button shows again once
  // the target is back; cleared when the user sets Available. Never stored.
  int32_t TargetMissing = 0;

  static CD MakeSeparator();

  // Reads the button record; 0 when the record is damaged and the button is to
  // be left out. A file button whose target is missing becomes unavailable
  // (and TargetMissing).
  int Load(Stream& stream, DatabaseIo& io);
  int Save(Stream& stream) const;
};
