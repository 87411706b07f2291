#include "barwnd/menus/overflow_menu.h"

#include "barwnd/dock/screen_edge.h"

BarMenuPopup OverflowMenuModel(const std::vector<OverflowItem>& items) {
  BarMenuPopup menu;
  bool separatorDue = false;
  for (const OverflowItem& item : items) {
    if (item.separator) {
      separatorDue = !menu.entries.empty();
      continue;
    }
    if (separatorDue) {
      BarMenuEntry separator;
      separator.kind = BarMenuEntry::Kind::kSeparator;
      menu.entries.push_back(separator);
      separatorDue = false;
    }
    BarMenuEntry entry;
    entry.text = LiteralMenuText(item.name);
    entry.command = item.commandId;
    entry.buttonIcon = item.position;
    menu.entries.push_back(std::move(entry));
  }
  return menu;
}

MenuAnchor OverflowMenuAnchor(int edge, const Rect& chevron) {
  switch (edge) {
    case kEdgeBottom: return {{chevron.right, chevron.top}, true, true};
    case kEdgeLeft: return {{chevron.right, chevron.bottom}, false, true};
    case kEdgeRight: return {{chevron.left, chevron.bottom}, true, true};
    default: return {{chevron.right, chevron.bottom}, true, false};  // top
  }
}
