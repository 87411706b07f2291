// The bar window's commands: what its menus, its buttons and the keyboard ask.
#include <windows.h>
#include <shellapi.h>

#include "core/message_texts.h"
#include "barwnd/window/bar_commands.h"
#include "barwnd/window/bar_window_win.h"
#include "clock/calendar_dialog_win.h"
#include "editing/manager/manager_dialog_win.h"
#include "platform/html_help_win.h"
#include "widgets/about_dialog_win.h"

namespace {

constexpr int kMsgWebAddress = 56;
constexpr int kMsgExitQuestion = 58;
constexpr const char* kHelpContentsTopic = "welcome.htm";

// Brackets a modal dialog or menu of the bar: an autohide bar stays out under it.
class DialogOpenScope {
 public:
  explicit DialogOpenScope(BarWindow& bar) : bar_(bar) { bar_.SetDialogOpen(true); }
  ~DialogOpenScope() { bar_.SetDialogOpen(false); }
  DialogOpenScope(const DialogOpenScope&) = delete;
  DialogOpenScope& operator=(const DialogOpenScope&) = delete;

 private:
  BarWindow& bar_;
};

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
  }
  return false;
}

void BarWindow::OpenButtonsManager() {
  {
    DialogOpenScope open(*this);
    CButtonsManager manager(db_, texts_, icons_, *this, host_.EditingServices());
    manager.DoModal(Hwnd());
  }
  RebuildButtons();
  RepaintAll();
}

void BarWindow::OpenOptions() { options_.Open(Hwnd()); }

void BarWindow::ShowAbout() {
  DialogOpenScope open(*this);
  AboutDialog about(texts_);
  about.DoModal(Hwnd());
}

// The calendar leaves the dialog-open flag alone: an autohide bar may slide in.
void BarWindow::ShowCalendar() {
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
  if (::MessageBoxA(Hwnd(), texts_.Text(kMsgExitQuestion).c_str(), ProgramTitle(), MB_YESNO | MB_ICONQUESTION) ==
      IDYES) {
    EndDialog(IDOK);
  }
}

RECT BarWindow::SwitchButtonScreenRect() {
  RECT button = {};
  if (SwitchToolbar()) ::GetWindowRect(SwitchToolbar(), &button);
  return button;
}
