// What each thing dropped on the bar becomes: the button the buttons manager's
// browse step would make of it. A file is run from its own folder, a folder is
// named as the shell shows it, a shell link gives what it points at, and an
// internet shortcut or a dropped web address becomes a web link.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "db/new_button.h"

class ShortcutReader;
enum class DropRefusal;

struct DroppedItem {
  enum class Kind { kPath, kAddress };
  Kind kind = Kind::kPath;
  std::string text;  // a full path, or a web address

  friend bool operator==(const DroppedItem&, const DroppedItem&) = default;
};

// What the fields of a dropped path need to ask the system.
class DropSystem {
 public:
  virtual ~DropSystem() = default;
  virtual bool IsFolder(const std::string& path) = 0;
  // The name the shell shows for the folder ("" when it has none).
  virtual std::string FolderDisplayName(const std::string& path) = 0;
  // The address an internet shortcut file holds ("" when none); nothing when
  // it is too long to be read whole.
  virtual std::optional<std::string> InternetShortcutUrl(const std::string& path) = 0;
  virtual ShortcutReader& Links() = 0;
};

// The button for one dropped item, bar and position still to be set. Nothing
// for an item that names no target: a link that cannot be read (or points at
// no file), an internet shortcut without an address, an empty text. Nothing,
// with `refusal` set, for an internet shortcut whose address is too long to be
// read whole.
std::optional<ButtonSpec> ButtonForDroppedItem(const DroppedItem& item, DropSystem& system,
                                               std::optional<DropRefusal>& refusal);

// Text dropped on the bar is taken only when every non-empty line is one web
// address ("scheme://...", "mailto:..." or "www...." without blanks); anything
// else is not for the bar and gives nothing.
std::vector<DroppedItem> AddressesFromText(const std::string& text);

// More dropped items than this ask first: a bar keeps its command numbers
// apart for 64 buttons.
inline constexpr std::size_t kDropItemsWithoutQuestion = 64;
bool DropNeedsQuestion(std::size_t count);
// The Yes/No question for a drop of `count` items.
std::string ManyDroppedItemsQuestion(std::size_t count);
