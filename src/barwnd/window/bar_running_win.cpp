#include "barwnd/window/bar_running_win.h"

#include <cstring>
#include <string>

#include "barwnd/drop/bar_drop.h"
#include "barwnd/drop/drop_data.h"
#include "core/settings.h"
#include "db/cbar.h"
#include "db/cdb.h"
#include "db/new_button.h"
#include "db/running_program_win.h"
#include "editing/browse/shortcut_reader_win.h"

namespace {

bool OfThisProgram(HWND window) {
  DWORD pid = 0;
  ::GetWindowThreadProcessId(window, &pid);
  return pid == ::GetCurrentProcessId();
}

bool OfTheShell(HWND window) {
  if (window == ::GetDesktopWindow() || window == ::GetShellWindow()) return true;
  char name[64] = {};
  ::GetClassNameA(window, name, sizeof name);
  for (const char* shell : {"Shell_TrayWnd", "Progman", "WorkerW", "Shell_SecondaryTrayWnd"})
    if (std::strcmp(name, shell) == 0) return true;
  DWORD pid = 0, shellPid = 0;
  ::GetWindowThreadProcessId(window, &pid);
  if (HWND shellWindow = ::GetShellWindow()) ::GetWindowThreadProcessId(shellWindow, &shellPid);
  return shellPid != 0 && pid == shellPid;
}

// A window of another program, still there and shown.
bool UsableOutside(HWND window) {
  return window && ::IsWindow(window) && ::IsWindowVisible(window) && !OfThisProgram(window);
}

std::string ShortcutTarget(const std::string& link) {
  ShellShortcutReader reader;
  ShortcutFields fields;
  reader.Resolve(link, fields);
  return fields.Target;
}

// The first window down the screen's order that a user works in and that is
// not this program's: the window that was active last.
HWND TopWindowOutside() {
  for (HWND window = ::GetTopWindow(nullptr); window; window = ::GetWindow(window, GW_HWNDNEXT)) {
    const LONG exStyle = ::GetWindowLongA(window, GWL_EXSTYLE);
    if (!::IsWindowVisible(window) || ::GetWindow(window, GW_OWNER) || (exStyle & (WS_EX_TOOLWINDOW | WS_EX_TOPMOST)))
      continue;
    if (!OfThisProgram(window)) return window;
  }
  return nullptr;
}

// The one bar window's instance, for the system's notes of front changes.
BarRunningPrograms* watching = nullptr;

}  // namespace

BarRunningPrograms::~BarRunningPrograms() {
  if (hook_) ::UnhookWinEvent(hook_);
  if (watching == this) watching = nullptr;
}

void CALLBACK BarRunningPrograms::OnForeground(HWINEVENTHOOK, DWORD, HWND window, LONG, LONG, DWORD, DWORD) {
  // The desktop and the shell count too: then no program was in front.
  if (!watching) return;
  watching->noted_ = true;
  if (window && !OfThisProgram(window)) watching->lastOutside_ = window;
}

void BarRunningPrograms::Observe(HWND bar, UINT msg, WPARAM, LPARAM lp) {
  if (!hook_ && !watching) {
    watching = this;
    hook_ = ::SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr, OnForeground, 0, 0,
                              WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS);
  }
  if (msg == WM_ACTIVATE) {
    // Activated: lp is the window that was in front; deactivated: the one
    // taking the front. Either is the latest window outside the bar.
    HWND other = reinterpret_cast<HWND>(lp);
    if (UsableOutside(other)) lastOutside_ = ::GetAncestor(other, GA_ROOTOWNER);
  } else if (msg == WM_CONTEXTMENU) {
    frontAtMenu_ = FrontOutside(bar);
  }
}

HWND BarRunningPrograms::FrontOutside(HWND) const {
  HWND front = ::GetForegroundWindow();
  if (UsableOutside(front)) return front;
  if (UsableOutside(lastOutside_)) return lastOutside_;
  // Where the system tells nothing of front changes (some Wine versions), the
  // order of the windows does.
  return noted_ ? nullptr : TopWindowOutside();
}

bool BarRunningPrograms::SwitchInstead(HWND bar, const CBar& shown, int commandId) {
  if (!settings_.SwitchToRunning) return false;
  const CD* button = shown.FindByCommandId(commandId);
  if (!button) return false;
  const std::string program = ProgramOf(*button);
  if (program.empty()) return false;
  const bool shift = ::GetKeyState(VK_SHIFT) < 0;
  const SwitchChoice choice = ChooseSwitch(LongPathOf(program), VisibleProgramWindows(),
                                           reinterpret_cast<uintptr_t>(FrontOutside(bar)), shift);
  return CarryOutSwitch(choice);
}

std::string BarRunningPrograms::ProgramOf(const CD& button) { return ProgramOfButton(button, ShortcutTarget); }

bool BarRunningPrograms::CanAddFront() const {
  return UsableOutside(frontAtMenu_) && !OfTheShell(frontAtMenu_) && !ProgramPathOfWindow(frontAtMenu_).empty();
}

bool BarRunningPrograms::AddFront(int ordinal) {
  if (!CanAddFront()) return false;
  CBar* shown = db_.Bar(ordinal);
  if (!shown) return false;
  const std::string program = LongPathOf(ProgramPathOfWindow(frontAtMenu_));
  ButtonSpec button = ProgramButton(program, FileDescriptionOf(program));
  DropRefusal why;
  // A description longer than a name may be gives way to the file name.
  if (RefusalForButton(button, why)) button = ProgramButton(program, "");
  if (RefusalForButton(button, why)) return false;
  if (InsertButtonsAt(db_, ordinal, shown->Count(), {button}) == 0) return false;
  db_.Save();
  return true;
}
