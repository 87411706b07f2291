#include "barwnd/drop/drop_data.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "core/message_texts.h"
#include "db/cd.h"
#include "barwnd/drop/drop_texts.h"
#include "core/message_ids.h"
#include "editing/browse/browse_rules.h"
#include "platform/byte_codec.h"

namespace {

// The manager names the reasons it shares with the drop by their numbers.
constexpr int32_t ReasonNumber(DropRefusal why) { return kMsgDropRefusedHeader + 1 + static_cast<int32_t>(why); }
static_assert(ReasonNumber(DropRefusal::kNotInCodePage) == kMsgNotInCodePage);
static_assert(ReasonNumber(DropRefusal::kPathTooLong) == kMsgPathTooLong);
static_assert(ReasonNumber(DropRefusal::kArgumentsTooLong) == kMsgArgumentsTooLong);

constexpr std::size_t kHeaderSize = 20;  // pFiles, pt.x, pt.y, fNC, fWide
constexpr std::size_t kWideFlagAt = 16;

// Walks the names from `at`; `Take` gets each complete name. False when the
// list ran past the block.
template <class Char, class Take>
bool WalkNames(const unsigned char* block, std::size_t at, std::size_t size, Take&& take) {
  std::basic_string<Char> name;
  while (at + sizeof(Char) <= size) {
    const Char c = static_cast<Char>(*GetLittleEndian(block, size, at, sizeof(Char)));
    at += sizeof(Char);
    if (c != 0) {
      name.push_back(c);
      continue;
    }
    if (name.empty()) return true;  // the empty name that ends the list
    if (!take(std::move(name))) return true;
    name.clear();
  }
  return false;
}

std::string Shortened(const std::string& text) {
  if (text.size() <= kMaxShownNameLength) return text;
  return text.substr(0, kMaxShownNameLength - 3) + "...";
}

std::string Trim(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

}  // namespace

DropFileList ReadDropFileList(const unsigned char* block, std::size_t size, std::size_t limit) {
  DropFileList list;
  if (!block || size < kHeaderSize) {
    list.damaged = true;
    return list;
  }
  const std::size_t offset = *GetU32(block, size, 0);
  list.wide = *GetU32(block, size, kWideFlagAt) != 0;
  if (offset < kHeaderSize || offset >= size) {
    list.damaged = true;
    return list;
  }
  auto keep = [&list, limit](auto& names) {
    return [&list, &names, limit](auto name) {
      if (names.size() == limit) {
        list.tooMany = true;
        names.clear();
        return false;
      }
      names.push_back(std::move(name));
      return true;
    };
  };
  list.cut = list.wide ? !WalkNames<char16_t>(block, offset, size, keep(list.wideNames))
                       : !WalkNames<char>(block, offset, size, keep(list.names));
  if (list.tooMany) list.cut = false;
  return list;
}

DropPayload PayloadOfFiles(const unsigned char* block, std::size_t size) {
  DropFileList list = ReadDropFileList(block, size);
  DropPayload payload;
  if (list.tooMany) {
    payload.refused.push_back({"More than " + std::to_string(kMaxDroppedFiles) + " files", DropRefusal::kTooMany});
    return payload;
  }
  if (list.cut || list.damaged) payload.refused.push_back({"", DropRefusal::kCutList});
  for (std::string& name : list.names) {
    if (name.size() > kMaxButtonFieldLength) {
      payload.refused.push_back({Shortened(name), DropRefusal::kPathTooLong});
    } else {
      payload.items.push_back({DroppedItem::Kind::kPath, std::move(name)});
    }
  }
  payload.wideNames = std::move(list.wideNames);
  return payload;
}

DropPayload PayloadOfText(const char* bytes, std::size_t size, bool oneAddress) {
  DropPayload payload;
  if (!bytes || size == 0) return payload;
  const std::size_t readable = std::min(size, kMaxDroppedTextBytes);
  const void* zero = std::memchr(bytes, '\0', readable);
  if (!zero && size > kMaxDroppedTextBytes) {
    payload.refused.push_back({Shortened(std::string(bytes, kMaxShownNameLength)), DropRefusal::kTextTooLong});
    return payload;
  }
  const std::string text(bytes, zero ? static_cast<const char*>(zero) - bytes : readable);
  std::vector<DroppedItem> found = AddressesFromText(text);
  const std::string whole = Trim(text);
  if (found.empty() && oneAddress && !whole.empty() && whole.find('\n') == std::string::npos) {
    found.push_back({DroppedItem::Kind::kAddress, whole});
  }
  for (DroppedItem& item : found) {
    if (item.text.size() > kMaxButtonFieldLength) {
      payload.refused.push_back({Shortened(item.text), DropRefusal::kAddressTooLong});
    } else {
      payload.items.push_back(std::move(item));
    }
  }
  return payload;
}

bool RefusalForButton(const ButtonSpec& button, DropRefusal& why) {
  if (button.Arguments.size() > kMaxButtonFieldLength) {
    why = DropRefusal::kArgumentsTooLong;
    return true;
  }
  if (button.Kind == kInternet) {
    if (button.Target.size() <= kMaxButtonFieldLength) return false;
    why = DropRefusal::kAddressTooLong;
    return true;
  }
  for (const std::string* field : {&button.Target, &button.WorkDir, &button.IconFile}) {
    if (HoldsUnwritable(*field)) {
      why = DropRefusal::kNotInCodePage;
      return true;
    }
  }
  for (const std::string* field : {&button.Target, &button.WorkDir, &button.IconFile, &button.Name}) {
    if (field->size() > kMaxButtonFieldLength) {
      why = DropRefusal::kPathTooLong;
      return true;
    }
  }
  return false;
}

std::string RefusedItemsMessage(MessageTexts& texts, const std::vector<RefusedItem>& refused) {
  if (refused.empty()) return {};
  std::string message = texts.Text(kMsgDropRefusedHeader);
  const std::size_t listed = std::min(refused.size(), kMaxListedRefusals);
  for (std::size_t i = 0; i < listed; ++i) {
    const RefusedItem& item = refused[i];
    message += "\n";
    if (!item.name.empty()) message += Shortened(item.name) + ": ";
    message += texts.Text(DropRefusalText(item.why));
  }
  if (refused.size() > listed) {
    message += "\n" + texts.Text(kMsgDropRefusedMore) + " " + std::to_string(refused.size() - listed);
  }
  return message;
}

int32_t DropRefusalText(DropRefusal why) { return ReasonNumber(why); }
