// A right click on a button of the bar (or the menu key over the keyboard's
// highlight): the bar's menu with the button's own submenu, and what its
// entries do with that button.
#include <windows.h>
#include <commctrl.h>
#include <windowsx.h>

#include "barwnd/menus/button_menu.h"
#include "barwnd/window/bar_window_win.h"
#include "core/message_box_win.h"
#include "core/message_texts.h"
#include "db/cbar.h"
#include "db/cdb.h"
#include "db/launch.h"

namespace {

TBBUTTON ToolbarButton(HWND toolbar, int index) {
  TBBUTTON button = {};
  if (index < 0 || !::SendMessageA(toolbar, TB_GETBUTTON, index, reinterpret_cast<LPARAM>(&button))) button.dwData = -1;
  return button;
}

MenuButton MenuButtonOf(const CD& button, int position) {
  const bool separator = button.IsSeparator != 0;
  return {button.Name, separator, button.Kind, !separator && !BarRunningPrograms::ProgramOf(button).empty(), position};
}

}  // namespace

int BarWindow::ToolbarItemOfMenu(POINT screenPoint, bool fromKeyboard) const {
  HWND toolbar = ButtonsToolbar();
  if (!toolbar) return -1;
  if (fromKeyboard) {
    // Only while the keyboard has the bar does the highlight name a button.
    if (!keyboard_.Active() || ::GetFocus() != toolbar) return -1;
    return static_cast<int>(::SendMessageA(toolbar, TB_GETHOTITEM, 0, 0));
  }
  POINT at = screenPoint;
  ::ScreenToClient(toolbar, &at);
  // Items behind the chevron stand beyond the toolbar's window: never under the mouse.
  const int shown = children_.ShownItems();
  for (int i = 0; i < shown; ++i) {
    RECT item = {};
    if ((ToolbarButton(toolbar, i).fsState & TBSTATE_HIDDEN) ||
        !::SendMessageA(toolbar, TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&item)))
      continue;
    if (::PtInRect(&item, at)) return i;
  }
  return -1;
}

void BarWindow::OnContextMenu(HWND from, LPARAM lp) {
  // The menu key and Shift+F10 send no point (-1, -1).
  const bool fromKeyboard = lp == -1;
  const POINT at = {GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
  menuButton_ = {};
  HWND toolbar = ButtonsToolbar();
  const int item = toolbar && from == toolbar ? ToolbarItemOfMenu(at, fromKeyboard) : -1;
  const int ordinal = DisplayedOrNone();
  const CBar* bar = item >= 0 ? db_.Bar(ordinal) : nullptr;
  const int position = static_cast<int>(ToolbarButton(toolbar, item).dwData);
  const CD* button = bar ? bar->At(position) : nullptr;
  RECT place = {};
  if (!button || !::SendMessageA(toolbar, TB_GETITEMRECT, item, reinterpret_cast<LPARAM>(&place))) {
    menus_.ShowContextMenu(at, fromKeyboard);
    return;
  }
  ::MapWindowPoints(toolbar, nullptr, reinterpret_cast<POINT*>(&place), 2);
  menuButton_ = {ordinal, position, button};
  menus_.ShowButtonMenu(MenuButtonOf(*button, position), at, fromKeyboard, place);
}

const CD* BarWindow::MenuButtonNow(bool displayed) const {
  if (displayed && menuButton_.bar != switcher_.Displayed()) return nullptr;
  const CBar* bar = db_.Bar(menuButton_.bar);
  const CD* button = bar ? bar->At(menuButton_.position) : nullptr;
  return button && button == menuButton_.identity ? button : nullptr;
}

void BarWindow::OnButtonMenuCommand(int id) {
  if (id == kCmdButtonRemove) {
    RemoveMenuButton();
    return;
  }
  const CD* button = MenuButtonNow(true);
  if (!button || button->IsSeparator) return;
  switch (id) {
    case kCmdButtonOpen:
      switcher_.Launch(button->CommandId);  // as a click on it: a running program may come forward instead
      break;
    case kCmdButtonRunAsAdmin:
      if (!BarRunningPrograms::ProgramOf(*button).empty())
        CurrentLauncher()(ElevatedLaunchRecord(*button, db_.ProgramFolder()));
      break;
    case kCmdButtonFileLocation:
      if (button->Kind == kFile || button->Kind == kFolder)
        CurrentLauncher()(FileLocationRecord(*button, db_.ProgramFolder()));
      break;
    case kCmdButtonEdit:
      OpenButtonsManager(menuButton_.position);  // an open dialog comes forward instead
      break;
  }
}

// The button leaves the bar and the database is saved at once, as after a
// drop. Under an open dialog (the buttons manager keeps its own undo point)
// that dialog comes forward instead.
void BarWindow::RemoveMenuButton() {
  if (BringOpenDialogForward()) return;
  const CD* button = MenuButtonNow(true);
  if (!button) return;
  const std::string question = RemoveQuestion(MenuButtonOf(*button, menuButton_.position), texts_);
  {
    DialogCount::Scope modal(modal_);
    DialogCount::Scope held(held_);
    if (ShowProgramMessage(Hwnd(), question, MB_YESNO | MB_ICONQUESTION) != IDYES) return;
  }
  // The bar may have gone back to its home bar meanwhile: the button is
  // still taken from its own bar, if it is there.
  CBar* bar = db_.Bar(menuButton_.bar);
  if (!MenuButtonNow(false) || !bar->Remove(menuButton_.position)) return;
  menuButton_ = {};
  db_.Save();
  RebuildButtons();
  RepaintAll();
}
