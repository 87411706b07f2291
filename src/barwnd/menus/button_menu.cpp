#include "barwnd/menus/button_menu.h"

#include <utility>

#include "barwnd/dock/screen_edge.h"
#include "core/message_texts.h"
#include "db/cd.h"

namespace {

BarMenuEntry Entry(MessageTexts& texts, int32_t text, int command, bool enabled = true) {
  BarMenuEntry entry;
  entry.text = texts.Text(text);
  entry.command = command;
  entry.disabled = !enabled;
  return entry;
}

}  // namespace

BarMenuEntry ButtonSubmenu(const MenuButton& button, MessageTexts& texts) {
  BarMenuEntry submenu;
  submenu.kind = BarMenuEntry::Kind::kPopup;
  BarMenuEntry remove = Entry(texts, kMsgButtonRemove, kCmdButtonRemove);
  if (button.separator) {
    submenu.text = texts.Text(kMsgButtonSeparator);
    submenu.popup.entries = {std::move(remove)};
    return submenu;
  }
  submenu.text = LiteralMenuText(button.caption);
  submenu.buttonIcon = button.position;
  BarMenuEntry open = Entry(texts, kMsgButtonOpen, kCmdButtonOpen);
  open.isDefault = true;
  const bool onDisk = button.kind == kFile || button.kind == kFolder;
  submenu.popup.entries = {
      std::move(open),
      Entry(texts, kMsgButtonRunAsAdmin, kCmdButtonRunAsAdmin, button.program),
      Entry(texts, kMsgButtonFileLocation, kCmdButtonFileLocation, onDisk),
      Entry(texts, kMsgButtonEdit, kCmdButtonEdit),
      std::move(remove),
  };
  return submenu;
}

BarMenuPopup ContextMenuModel(const BarMenuState& state, const MenuButton& button, MessageTexts& texts) {
  BarMenuPopup menu = ContextMenuModel(state);
  BarMenuEntry separator;
  separator.kind = BarMenuEntry::Kind::kSeparator;
  menu.entries.push_back(std::move(separator));
  menu.entries.push_back(ButtonSubmenu(button, texts));
  return menu;
}

std::string RemoveQuestion(const MenuButton& button, MessageTexts& texts) {
  if (button.separator) return texts.Text(kMsgRemoveSeparatorQuestion);
  return texts.Text(kMsgRemoveQuestion) + button.caption + texts.Text(kMsgRemoveQuestionEnd);
}

MenuAnchor ButtonMenuAnchor(int edge, const Rect& button) {
  switch (edge) {
    case kEdgeBottom: return {{button.left, button.top}, false, true};
    case kEdgeLeft: return {{button.right, button.top}, false, false};
    case kEdgeRight: return {{button.left, button.top}, true, false};
    default: return {{button.left, button.bottom}, false, false};  // top
  }
}
