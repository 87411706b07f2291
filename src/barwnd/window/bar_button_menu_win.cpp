// A right click on a button of the bar (or the menu key over the keyboard's
// highlight): the bar's menu with the button's own submenu, and what its
// entries do with that button.
#include <windows.h>
#include <commctrl.h>
#include <windowsx.h>

#include "barwnd/drag/button_move.h"
#include "barwnd/menus/button_menu.h"
#include "barwnd/window/bar_window_win.h"
#include "core/message_box_win.h"
#include "core/message_texts.h"
#include "db/cbar.h"
#include "db/cdb.h"
#include "db/launch.h"
#include "platform/geometry_win.h"

namespace {

// A rectangle in `window`'s client coordinates, on the screen.
Rect OnScreen(HWND window, RECT r) {
  ::MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
  return ToRect(r);
}

MenuButton MenuButtonOf(const CD& button, int position) {
  const bool separator = button.IsSeparator != 0;
  return {button.Name, separator, button.Kind, !separator && !BarRunningPrograms::ProgramOf(button).empty(), position};
}

}  // namespace

std::optional<DropItemPlace> BarWindow::ItemOfMenu(POINT screenPoint, bool fromKeyboard) const {
  HWND toolbar = ButtonsToolbar();
  if (!toolbar) return std::nullopt;
  if (!fromKeyboard) {
    POINT at = screenPoint;
    ::ScreenToClient(Hwnd(), &at);
    std::optional<DropItemPlace> item = ItemAt(drop_.Layout(), {at.x, at.y});
    if (item) item->rect = OnScreen(Hwnd(), ToRECT(item->rect));
    return item;
  }
  // Only while the keyboard has the bar does the highlight name a button.
  if (!keyboard_.Active() || ::GetFocus() != toolbar) return std::nullopt;
  const int index = static_cast<int>(::SendMessageA(toolbar, TB_GETHOTITEM, 0, 0));
  TBBUTTON button = {};
  RECT place = {};
  if (index < 0 || !::SendMessageA(toolbar, TB_GETBUTTON, index, reinterpret_cast<LPARAM>(&button)) ||
      !::SendMessageA(toolbar, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&place)))
    return std::nullopt;
  return DropItemPlace{static_cast<int32_t>(button.dwData), OnScreen(toolbar, place)};
}

void BarWindow::OnContextMenu(HWND from, LPARAM lp) {
  // The menu key and Shift+F10 send no point (-1, -1).
  const bool fromKeyboard = lp == -1;
  const POINT at = {GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
  menuButton_ = {};
  const std::optional<DropItemPlace> item =
      from && from == ButtonsToolbar() ? ItemOfMenu(at, fromKeyboard) : std::nullopt;
  if (!item || !ShowMenuOfButton(item->position, at, fromKeyboard, ToRECT(item->rect)))
    menus_.ShowContextMenu(at, fromKeyboard);
}

bool BarWindow::ShowMenuOfButton(int position, POINT at, bool fromKeyboard, const RECT& rect) {
  const int ordinal = DisplayedOrNone();
  const CBar* bar = db_.Bar(ordinal);
  const CD* button = bar ? bar->At(position) : nullptr;
  if (!button) return false;
  menuButton_ = {ordinal, position, button};
  menus_.ShowButtonMenu(MenuButtonOf(*button, position), at, fromKeyboard, rect);
  return true;
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
