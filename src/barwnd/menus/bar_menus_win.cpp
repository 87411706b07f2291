#include "barwnd/menus/bar_menus_win.h"

#include "barwnd/menus/overflow_menu.h"

#include <string>
#include <utility>
#include <vector>

#include "core/message_texts.h"
#include "barwnd/window/bar_commands.h"
#include "db/cdb.h"
#include "icons/icon_cache_win.h"
#include "platform/display_scale_win.h"
#include "platform/handles_win.h"
#include "platform/scope_end.h"
#include "platform/window_win.h"
#include "resource.h"
#include "widgets/menu_xp_win.h"
#include "core/message_ids.h"
#include "platform/geometry_win.h"

namespace {

// The program's own menu icon at `side` pixels, picked from the resource's
// images by the system.
UniqueIcon MenuIcon(int resource, int side) {
  return UniqueIcon(static_cast<HICON>(
      ::LoadImageA(ResourceModule(), MAKEINTRESOURCEA(resource), IMAGE_ICON, side, side, LR_DEFAULTCOLOR)));
}

// Which mouse button released last in a menu this thread tracks; a key
// counts as neither.
thread_local bool g_rightButtonReleased = false;

LRESULT CALLBACK NoteMenuButton(int code, WPARAM wp, LPARAM lp) {
  if (code == MSGF_MENU && lp) {
    const UINT message = reinterpret_cast<const MSG*>(lp)->message;
    if (message == WM_RBUTTONUP) g_rightButtonReleased = true;
    if (message == WM_LBUTTONUP || message == WM_KEYDOWN) g_rightButtonReleased = false;
  }
  return ::CallNextHookEx(nullptr, code, wp, lp);
}

}  // namespace

BarMenus::BarMenus(BarMenuHost& host, CDB& db, MessageTexts& texts, ButtonIconCache* icons)
    : host_(host), db_(db), texts_(texts), icons_(icons) {}

BarMenus::~BarMenus() = default;

BarMenuState BarMenus::State() { return {host_.Edge(), host_.AutoHide(), host_.CanAddFrontProgram()}; }

std::unique_ptr<CMenuXP> BarMenus::Build(const BarMenuPopup& popup) { return Build(popup, WindowDpi(host_.BarHwnd())); }

std::unique_ptr<CMenuXP> BarMenus::Build(const BarMenuPopup& popup, int dpi) {
  auto menu = std::make_unique<CMenuXP>(dpi);
  menu->colors.background = popup.background;
  menu->colors.selection = popup.selection;
  for (const BarMenuEntry& entry : popup.entries) {
    if (entry.kind == BarMenuEntry::Kind::kSeparator) {
      menu->AppendSeparator();
      continue;
    }
    UniqueIcon icon;
    if (entry.iconResource) {
      icon = MenuIcon(entry.iconResource, menu->IconSide());
    } else if (const CBar* bar = db_.Bar(entry.barIcon)) {
      // From the icon cache, which keeps what it had to look up for the next opening.
      icon = ButtonIconOfSize(icons_, bar->IconFile, bar->IconIndex, db_.ProgramFolder(), OneIconSize::kSmall,
                              CacheMiss::kLookUpAndKeep, dpi);
    } else if (const CD* button = ButtonOfShownBar(entry.buttonIcon)) {
      icon = ButtonIconOfSize(icons_, button->IconFile, button->IconIndex, db_.ProgramFolder(), OneIconSize::kSmall,
                              CacheMiss::kLookUpAndKeep, dpi);
    }
    auto record = std::make_unique<MenuItemRecord>(static_cast<uint32_t>(entry.command), entry.text, std::move(icon));
    if (entry.kind == BarMenuEntry::Kind::kPopup) {
      menu->AppendSubMenu(0, Build(entry.popup, dpi), std::move(record));
      continue;
    }
    menu->AppendItem(0, std::move(record));
    if (entry.checked) ::CheckMenuItem(menu->Handle(), static_cast<UINT>(entry.command), MF_BYCOMMAND | MF_CHECKED);
    if (entry.disabled) ::EnableMenuItem(menu->Handle(), static_cast<UINT>(entry.command), MF_BYCOMMAND | MF_GRAYED);
    if (entry.isDefault) ::SetMenuDefaultItem(menu->Handle(), static_cast<UINT>(entry.command), FALSE);
  }
  return menu;
}

int BarMenus::Track(HMENU menu, CMenuXP* ownerDrawn, POINT at, UINT flags, bool barMenu) {
  if (barMenu) host_.SetDialogOpen(true);
  CMenuXP* outer = std::exchange(tracked_, ownerDrawn);
  // The flag and the menu being drawn go back however the tracking ends.
  ScopeEnd closed([this, outer, barMenu] {
    tracked_ = outer;
    if (barMenu) host_.SetDialogOpen(false);
  });
  HWND bar = host_.BarHwnd();
  // Without the foreground the menu would not close when the user clicks elsewhere.
  ::SetForegroundWindow(bar);
  const int chosen = static_cast<int>(::TrackPopupMenu(menu, flags, at.x, at.y, 0, bar, nullptr));
  ::PostMessageA(bar, WM_NULL, 0, 0);
  closed.End();
  return chosen;
}

const CD* BarMenus::ButtonOfShownBar(int position) const {
  const CBar* bar = position >= 0 ? db_.Bar(host_.DisplayedBar()) : nullptr;
  return bar ? bar->At(position) : nullptr;
}

BarMenus::OverflowChoice BarMenus::ChooseFromOverflowMenu(const BarMenuPopup& popup, const MenuAnchor& anchor) {
  std::unique_ptr<CMenuXP> menu = Build(popup);
  const UINT align = (anchor.alignRight ? TPM_RIGHTALIGN : TPM_LEFTALIGN) |
                     (anchor.alignBottom ? TPM_BOTTOMALIGN : TPM_TOPALIGN);
  // Either button chooses an entry; the menu's own messages tell which did.
  g_rightButtonReleased = false;
  HHOOK hook = ::SetWindowsHookExA(WH_MSGFILTER, NoteMenuButton, nullptr, ::GetCurrentThreadId());
  const ScopeEnd unhook([hook] {
    if (hook) ::UnhookWindowsHookEx(hook);
  });
  const int command = Track(menu->Handle(), menu.get(), {anchor.at.x, anchor.at.y},
                            align | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, true);
  return {command, command > 0 && hook && g_rightButtonReleased};
}

void BarMenus::ShowContextMenu(POINT screenPoint, bool fromKeyboard) {
  std::unique_ptr<CMenuXP> menu = Build(ContextMenuModel(State()));
  RECT window = {};
  ::GetWindowRect(host_.BarHwnd(), &window);
  const Point at = ContextMenuPoint({screenPoint.x, screenPoint.y}, fromKeyboard,
                                    ToRect(window), host_.Edge());
  Track(menu->Handle(), menu.get(), {at.x, at.y}, TPM_LEFTBUTTON, true);
}

void BarMenus::ShowButtonMenu(const MenuButton& button, POINT screenPoint, bool fromKeyboard,
                              const RECT& buttonRect) {
  std::unique_ptr<CMenuXP> menu = Build(ContextMenuModel(State(), button, texts_));
  if (!fromKeyboard) {
    Track(menu->Handle(), menu.get(), screenPoint, TPM_LEFTBUTTON, true);
    return;
  }
  const MenuAnchor anchor = ButtonMenuAnchor(host_.Edge(), ToRect(buttonRect));
  const UINT align = (anchor.alignRight ? TPM_RIGHTALIGN : TPM_LEFTALIGN) |
                     (anchor.alignBottom ? TPM_BOTTOMALIGN : TPM_TOPALIGN);
  Track(menu->Handle(), menu.get(), {anchor.at.x, anchor.at.y}, align | TPM_LEFTBUTTON, true);
}

int BarMenus::ShowBarSwitchMenu(bool returnChosen) {
  std::vector<SwitchMenuBar> bars;
  for (int32_t n = 0; n < db_.BarCount(); ++n) {
    const CBar* bar = db_.Bar(n);
    bars.push_back({bar->Name, bar->Available != 0});
  }
  const int lookUps = icons_ ? icons_->LookUps() : 0;
  std::unique_ptr<CMenuXP> menu =
      Build(BarSwitchMenuModel(bars, db_.GetHomeBar(), host_.DisplayedBar(), texts_.Text(kMsgEmptyBar)));
  // Bar icons looked up for this menu go into the file at once.
  if (icons_ && !icons_->Starting() && icons_->LookUps() != lookUps) icons_->Save(db_);
  const RECT button = host_.SwitchButtonScreenRect();
  const UINT returned = returnChosen ? TPM_RETURNCMD | TPM_NONOTIFY : 0;
  return Track(menu->Handle(), menu.get(), {button.left, button.bottom}, TPM_LEFTBUTTON | returned, true);
}

void BarMenus::ShowTrayMenu(POINT screenPoint) {
  UniqueMenu loaded(::LoadMenuA(ResourceModule(), MAKEINTRESOURCEA(texts_.TemplateId(IDR_CONTEXTMENU))));
  HMENU popup = loaded ? ::GetSubMenu(loaded.Get(), 0) : nullptr;
  if (!popup) return;
  for (const auto& [command, checked] : TrayMenuChecks(State())) {
    ::CheckMenuItem(popup, static_cast<UINT>(command), MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
  }
  ::SetMenuDefaultItem(popup, kCmdButtonsManager, FALSE);
  Track(popup, nullptr, screenPoint, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, false);
}

bool BarMenus::OnMeasureItem(MEASUREITEMSTRUCT& request) { return tracked_ && tracked_->MeasureItem(request); }

bool BarMenus::OnDrawItem(const DRAWITEMSTRUCT& request) { return tracked_ && tracked_->DrawItem(request); }
