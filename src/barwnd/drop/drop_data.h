// The bytes a drag source hands over, read within their block and within the
// drop's limits: the file list of a CF_HDROP block (single-byte or UTF-16
// names) and the text of the address formats. What is refused while reading
// is kept with the reason, for the one message the drop shows.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "barwnd/drop/bar_drop_items.h"
#include "editing/browse/shortcut_fields.h"  // kMaxButtonFieldLength, the longest field a dropped button gets

class MessageTexts;

// The most files one drop takes. A bar's buttons are numbered in 16 bits
// (1124 + 64 x the bar's position + the button's), so even the first bar holds
// far fewer than that; a drop beyond ten thousand is a whole disk selected by
// mistake, and reading it would stall both programs.
inline constexpr std::size_t kMaxDroppedFiles = 10000;
// The most text read from an address format. A browser hands over one address
// or a few; a page of text is not for the bar and is not copied.
inline constexpr std::size_t kMaxDroppedTextBytes = 16 * 1024;
// A refused item is named by at most this many characters in the message.
inline constexpr std::size_t kMaxShownNameLength = 80;
// The message lists at most this many refused items, then how many more.
inline constexpr std::size_t kMaxListedRefusals = 12;

enum class DropRefusal {
  kTooMany,          // more files than kMaxDroppedFiles; the whole drop
  kCutList,          // the file list ran past the end of its block
  kTextTooLong,      // the dropped text is longer than kMaxDroppedTextBytes
  kNotInCodePage,    // a name the system code page cannot hold, without a short name
  kPathTooLong,      // a path or name longer than a button field
  kArgumentsTooLong, // a shortcut's arguments longer than a button field
  kAddressTooLong,   // a web address longer than a button field
};

struct RefusedItem {
  std::string name;  // as the user would know it; for kTooMany the count
  DropRefusal why = DropRefusal::kPathTooLong;

  friend bool operator==(const RefusedItem&, const RefusedItem&) = default;
};

// A DROPFILES block as it lies in memory.
struct DropFileList {
  bool wide = false;                      // the names are UTF-16
  std::vector<std::string> names;         // the names of a single-byte block
  std::vector<std::u16string> wideNames;  // the names of a wide block
  bool cut = false;                       // the last name or the list's end lay past the block
  bool tooMany = false;                   // more than `limit` names: none are kept
  bool damaged = false;                   // no header, or the names' offset outside the block
};

// Reads the header (pFiles at 0, fWide at 16, 20 bytes in all) and the
// zero-terminated names from pFiles on, up to the empty name that ends the
// list, never past `size`. Names cut off by the block's end are left out.
DropFileList ReadDropFileList(const unsigned char* block, std::size_t size, std::size_t limit = kMaxDroppedFiles);

// What a drop carries once read: names ready to use, UTF-16 names still to be
// written in the system code page, and what was refused on the way.
struct DropPayload {
  std::vector<DroppedItem> items;
  std::vector<std::u16string> wideNames;
  std::vector<RefusedItem> refused;

  std::size_t Count() const { return items.size() + wideNames.size(); }
};

DropPayload PayloadOfFiles(const unsigned char* block, std::size_t size);

// The text of an address format, up to its zero or the block's end. An
// internet shortcut's address (`oneAddress`) is one address whatever it looks
// like; plain text gives its lines' addresses, or nothing when a line is not
// one. Text without its end within kMaxDroppedTextBytes, and addresses longer
// than a field, are refused.
DropPayload PayloadOfText(const char* bytes, std::size_t size, bool oneAddress);

// The refusal, if any, for a button made of a dropped item: a field longer
// than a button holds, or a path field holding '?', which no file name can
// hold and which stands for a character the code page could not write.
bool RefusalForButton(const ButtonSpec& button, DropRefusal& why);

// The one message for the refused items of a drop; "" when there are none.
std::string RefusedItemsMessage(MessageTexts& texts, const std::vector<RefusedItem>& refused);
