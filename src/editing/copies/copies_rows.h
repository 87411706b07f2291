// What the earlier copies dialog shows of each kept copy: its date, the
// number of bars and buttons and the bars' names, or that it is damaged.
#pragma once

#include <string>
#include <vector>

#include "db/earlier_copies.h"

struct CopyRow {
  std::string date;
  std::string bars;
  std::string buttons;
  std::string names;
  bool damaged = false;
};

// The names joined by ", ", cut with "..." where they would pass `maxLength`.
std::string JoinBarNames(const std::vector<std::string>& names, size_t maxLength);

// `dateText` is the copy's date as the user reads dates; a day's later copy
// shows its number after it ("12.03.2026 (2)"). A damaged copy shows
// `damagedText` in place of its contents.
CopyRow MakeCopyRow(const KeptCopy& copy, const DatabaseSummary& summary, const std::string& dateText,
                    const std::string& damagedText);
