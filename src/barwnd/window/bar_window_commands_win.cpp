// The bar window's commands: what its menus, its buttons and the keyboard ask.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include "core/message_texts.h"
#include "barwnd/menus/overflow_menu.h"
#include "barwnd/window/bar_commands.h"
#include "barwnd/window/bar_window_win.h"
#include "clock/calendar_dialog_win.h"
#include "editing/manager/manager_dialog_win.h"
#include "platform/html_help_win.h"
#include "widgets/about_dialog_win.h"
#include "core/message_box_win.h"
#include "core/message_ids.h"
#include "platform/geometry_win.h"

namespace {

constexpr const char* kHelpContentsTopic = "welcome.htm";

constexpr int kMaxOwnedDepth = 16;  // a chain of dialogs over dialogs, far more than ever open

struct OwnedSearch {
  HWND owner;
  HWND found;
};

BOOL CALLBACK FindOwnedDialog(HWND hwnd, LPARAM lp) {
  auto* search = reinterpret_cast<OwnedSearch*>(lp);
  if (::GetWindow(hwnd, GW_OWNER) != search->owner || !::IsWindowVisible(hwnd)) return TRUE;
  // Dialogs and message boxes have a caption; tooltips and the drop marker do not.
  if ((::GetWindowLongA(hwnd, GWL_STYLE) & WS_CAPTION) != WS_CAPTION) return TRUE;
  search->found = hwnd;
  return FALSE;
}

// A visible captioned window of the owner's thread that `owner` owns.
HWND OwnedDialog(HWND owner) {
  OwnedSearch search = {owner, nullptr};
  ::EnumThreadWindows(::GetWindowThreadProcessId(owner, nullptr), FindOwnedDialog, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Restores the dialog the bar owns and activates the last one in its chain
// (a question or file dialog over the manager), which then flashes.
bool BringOwnedDialogForward(HWND bar) {
  HWND first = OwnedDialog(bar);
  if (!first) return false;
  if (::IsIconic(first)) ::ShowWindow(first, SW_RESTORE);
  HWND front = first;
  for (int depth = 0; depth < kMaxOwnedDepth; ++depth) {
    HWND next = OwnedDialog(front);
    if (!next) break;
    front = next;
  }
  ::SetForegroundWindow(front);
  FLASHWINFO flash = {sizeof(flash), front, FLASHW_CAPTION, 3, 0};
  ::FlashWindowEx(&flash);
  return true;
}

}  // namespace

// Clicks on the buttons toolbar never come here: HandleMessage launches them
// whatever their number.
bool BarWindow::OnCommand(int id, int, HWND) {
  if (IsButtonCommand(id)) {
    switcher_.Launch(id);
    return true;
  }
  if (const int bar = SwitchCommandBar(id); bar >= 0) {
    switcher_.SwitchTo(bar);
    return true;
  }
  if (const int edge = EdgeOfCommand(id); edge >= 0) {
    appBar_.SetEdge(edge);
    children_.LayOut();
    RepaintAll();
    return true;
  }
  if (IsButtonMenuCommand(id)) {
    OnButtonMenuCommand(id);
    return true;
  }
  return OnMenuCommand(id);
}

bool BarWindow::OnMenuCommand(int id) {
  switch (id) {
    case kCmdAutoHide: appBar_.ToggleAutoHide(); return true;
    case kCmdAlwaysOnTop: appBar_.ToggleAlwaysOnTop(); return true;
    case kCmdButtonsManager: OpenButtonsManager(); return true;
    case kCmdBarSwitch: menus_.ShowBarSwitchMenu(); return true;
    case kCmdCalendar: ShowCalendar(); return true;
    case kCmdOptions: OpenOptions(); return true;
    case kCmdHelpContent: ShowHelpContents(); return true;
    case kCmdWebPage: OpenWebPage(); return true;
    case kCmdAbout: ShowAbout(); return true;
    case kCmdExit: OnExit(); return true;
    case kCmdAddFrontProgram: AddFrontProgram(); return true;
    case kCmdChevron: ShowOverflowMenu(); return true;
    case kCmdEarlierCopies: OpenEarlierCopies(); return true;
  }
  return false;
}

bool BarWindow::BringOpenDialogForward() {
  // A dialog between its start and its first showing is not found, but counted.
  return BringOwnedDialogForward(Hwnd()) || modal_.Open();
}

void BarWindow::OpenButtonsManager(int buttonPosition) {
  if (BringOpenDialogForward()) return;
  {
    DialogCount::Scope modal(modal_);
    DialogCount::Scope held(held_);
    // Its edits move the shown bar before they are saved (see ApplyOptions).
    managerSavedBar_ = switcher_.Displayed();
    DialogCount::Scope managerOpen(manager_);
    CButtonsManager manager(db_, texts_, icons_, *this, host_.EditingServices());
    manager.SelectAtOpen(buttonPosition);
    manager.DoModal(Hwnd());
    managerSavedBar_.reset();
  }
  RebuildButtons();
  RepaintAll();
}

// The options session holds the bar itself while the sheet is open.
void BarWindow::OpenOptions() {
  if (BringOpenDialogForward()) return;
  DialogCount::Scope modal(modal_);
  options_.Open(Hwnd());
}

void BarWindow::ShowAbout() {
  if (BringOpenDialogForward()) return;
  DialogCount::Scope modal(modal_);
  DialogCount::Scope held(held_);
  AboutDialog about(texts_);
  about.DoModal(Hwnd());
}

// The calendar does not hold the bar: an autohide bar may slide in under it.
void BarWindow::ShowCalendar() {
  if (BringOpenDialogForward()) return;
  DialogCount::Scope modal(modal_);
  CalendarDialog calendar(texts_);
  calendar.DoModal(Hwnd());
}

void BarWindow::ShowHelpContents() { TheHelpViewer().ShowTopic(kHelpContentsTopic); }

void BarWindow::OpenWebPage() {
  const std::string address = texts_.Text(kMsgWebAddress);
  SHELLEXECUTEINFOA info = {};
  info.cbSize = sizeof(info);
  info.hwnd = Hwnd();
  info.lpVerb = "open";
  info.lpFile = address.c_str();
  info.nShow = SW_SHOWNORMAL;
  ::ShellExecuteExA(&info);
}

void BarWindow::OnExit() {
  if (BringOpenDialogForward()) return;
  DialogCount::Scope modal(modal_);
  DialogCount::Scope held(held_);
  if (ShowProgramMessage(Hwnd(), texts_.Text(kMsgExitQuestion), MB_YESNO | MB_ICONQUESTION) ==
      IDYES) {
    EndDialog(IDOK);
  }
}

RECT BarWindow::SwitchButtonScreenRect() {
  RECT button = {};
  if (SwitchToolbar()) ::GetWindowRect(SwitchToolbar(), &button);
  return button;
}

// The buttons the bar has no room for; the one chosen starts as a click on
// its button would start it. Chosen with the right button, the menu gives way
// to that button's own menu, where the mouse is.
void BarWindow::ShowOverflowMenu() {
  // Under an open dialog the model may be changing: the dialog comes forward.
  if (BringOpenDialogForward()) return;
  HWND chevron = children_.ChevronToolbar();
  const std::vector<OverflowItem> items = children_.OverflowItems();
  if (!chevron || items.empty()) return;
  RECT r = {};
  ::GetWindowRect(chevron, &r);
  ::SendMessageA(chevron, TB_PRESSBUTTON, kCmdChevron, TRUE);
  const BarMenus::OverflowChoice chosen =
      menus_.ChooseFromOverflowMenu(OverflowMenuModel(items), OverflowMenuAnchor(Edge(), ToRect(r)));
  if (::IsWindow(chevron)) ::SendMessageA(chevron, TB_PRESSBUTTON, kCmdChevron, FALSE);
  if (chosen.command <= 0) return;
  if (!chosen.rightButton) {
    LaunchFromToolbar(chosen.command);
    return;
  }
  POINT mouse = {};
  ::GetCursorPos(&mouse);
  for (const OverflowItem& item : items) {
    if (item.commandId == chosen.command) ShowMenuOfButton(item.position, mouse, false, r);
  }
}

// A new button at the end of the shown bar, saved at once, as a drop is.
void BarWindow::AddFrontProgram() {
  if (BringOpenDialogForward() || !running_.AddFront(DisplayedOrNone())) return;
  RebuildButtons();
  RepaintAll();
}
