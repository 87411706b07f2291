// The tips of the bar's children: one tooltip control with a tool for each
// launch button (its caption), the bar-switch button (the displayed bar's
// name, asked for when shown) and the chevron.
#include <windows.h>
#include <commctrl.h>

#include "barwnd/window/bar_children_win.h"
#include "barwnd/window/bar_commands.h"
#include "barwnd/window/bar_switcher.h"
#include "core/message_ids.h"
#include "core/message_texts.h"
#include "core/settings.h"
#include "db/cdb.h"
#include "platform/geometry_win.h"
#include "platform/text_win.h"

namespace {

// Where the control really put an item. On left and right bars it draws a
// wrapped separator as a gap of its own height, not the planned 12 pixels, and
// a tip must cover the button the mouse is over.
Rect ItemRect(const BarToolbar& toolbar, std::size_t index, const Rect& planned) {
  RECT r = {};
  if (!::SendMessageA(toolbar.Hwnd(), TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r))) return planned;
  return ToRect(r);
}

}  // namespace

bool BarChildren::CreateTooltip() {
  if (!tooltip_.Create(scale_.dpi)) return false;
  // The tooltip comes after the bar's first paint: the buttons already on the
  // bar get their tips now.
  if (buttonsToolbar_) AddButtonTools(*buttonsToolbar_, plan_);
  AddSwitchTool();
  AddChevronTool();
  return true;
}

// A tip for each launch button on the toolbar, with the caption the plan kept.
void BarChildren::AddButtonTools(const BarToolbar& toolbar, const ToolbarPlan& plan) {
  for (std::size_t i = 0; i < plan.items.size(); ++i) {
    const ToolbarItem& item = plan.items[i];
    if (item.separator) continue;
    tooltip_.AddTool(toolbar.Hwnd(), static_cast<UINT>(item.commandId), ItemRect(toolbar, i, item.rect), item.name);
  }
}

// The bar-switch button's tip asks for its text when shown: the displayed
// bar's name.
void BarChildren::AddSwitchTool() {
  const Size button = ButtonSize();
  if (switchToolbar_) tooltip_.AddCallbackTool(switchToolbar_->Hwnd(), kCmdBarSwitch, Rect{0, 0, button.cx, button.cy});
}

// The chevron's tip says what it offers.
void BarChildren::AddChevronTool() {
  const Size button = ButtonSize();
  if (chevron_) tooltip_.AddTool(chevron_->Hwnd(), kCmdChevron, Rect{0, 0, button.cx, button.cy},
                                 texts_.Text(kMsgMoreButtons));
}

void BarChildren::RemoveButtonTools() {
  if (!buttonsToolbar_) return;
  for (const ToolbarItem& item : plan_.items) {
    if (!item.separator) tooltip_.RemoveTool(buttonsToolbar_->Hwnd(), static_cast<UINT>(item.commandId));
  }
}

void BarChildren::ReactivateTooltips() { tooltip_.Activate(settings_.UseToolTips != 0); }

void BarChildren::OnMouseOverBar() {
  if (!buttonsToolbar_ || firstCaption_.empty()) return;
  for (const ToolbarItem& item : plan_.items) {
    if (item.separator) continue;
    tooltip_.UpdateText(buttonsToolbar_->Hwnd(), static_cast<UINT>(item.commandId), firstCaption_);
    break;
  }
}

void BarChildren::ShowDigitTips(const std::function<int(int index)>& digitOf) {
  if (!buttonsToolbar_) return;
  for (std::size_t i = 0; i < plan_.items.size(); ++i) {
    const ToolbarItem& item = plan_.items[i];
    if (item.separator) continue;
    const int digit = digitOf(static_cast<int>(i));
    tooltip_.UpdateText(buttonsToolbar_->Hwnd(), static_cast<UINT>(item.commandId),
                        digit >= 0 ? std::to_string(digit) + ": " + item.name : item.name);
  }
}

void BarChildren::OnTooltipText(NMHDR* hdr) {
  ::SendMessageA(hdr->hwndFrom, TTM_SETMAXTIPWIDTH, 0, ScalePx(BarTooltip::kMaxTipWidth, scale_.dpi));
  if (hdr->idFrom != kCmdBarSwitch) return;
  const CBar* bar = db_.Bar(displayedBar_());
  const std::string text = SwitchButtonTipText(bar ? &bar->Name : nullptr, texts_.Text(kMsgEmptyBar));
  if (hdr->code == TTN_GETDISPINFOA) {
    auto* info = reinterpret_cast<NMTTDISPINFOA*>(hdr);
    lstrcpynA(info->szText, text.c_str(), sizeof(info->szText));
    info->lpszText = info->szText;
    info->hinst = nullptr;
  } else {
    auto* info = reinterpret_cast<NMTTDISPINFOW*>(hdr);
    CopyWideFromAnsi(text, info->szText, static_cast<int>(sizeof(info->szText) / sizeof(info->szText[0])));
    info->lpszText = info->szText;
    info->hinst = nullptr;
  }
}
