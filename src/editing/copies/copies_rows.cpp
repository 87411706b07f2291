#include "editing/copies/copies_rows.h"

std::string JoinBarNames(const std::vector<std::string>& names, size_t maxLength) {
  const std::string ellipsis = "...";
  std::string joined;
  for (const std::string& name : names) {
    const std::string next = joined.empty() ? name : ", " + name;
    if (joined.size() + next.size() > maxLength) {
      const size_t room = maxLength > joined.size() + ellipsis.size() ? maxLength - joined.size() - ellipsis.size() : 0;
      return joined + next.substr(0, room) + ellipsis;
    }
    joined += next;
  }
  return joined;
}

CopyRow MakeCopyRow(const KeptCopy& copy, const DatabaseSummary& summary, const std::string& dateText,
                    const std::string& damagedText) {
  constexpr size_t kNamesShown = 200;
  CopyRow row;
  row.date = copy.n > 1 ? dateText + " (" + std::to_string(copy.n) + ")" : dateText;
  row.damaged = !summary.whole;
  if (row.damaged) {
    row.names = damagedText;
    return row;
  }
  row.bars = std::to_string(summary.bars);
  row.buttons = std::to_string(summary.buttons);
  row.names = JoinBarNames(summary.barNames, kNamesShown);
  return row;
}
