#include "barwnd/window/bar_window_win.h"

#include <commctrl.h>
#include <dbt.h>

#include "core/message_texts.h"
#include "barwnd/window/bar_commands.h"
#include "barwnd/dock/screen_edge.h"
#include "db/cdb.h"
#include "icons/icon_cache_win.h"
#include "platform/geometry_win.h"
#include "platform/exception_barrier.h"
#include "platform/registered_messages_win.h"
#include "resource.h"

#include "platform/startup_trace.h"

namespace {

constexpr int kMsgEmptyBar = 54;

// The first frame needs only the window, its dock and the shown buttons; the
// rest of the start (tooltips, taking drops, tray icon, writing the settings,
// the start-up shortcut, the other icon size, the icon cache) runs once, right
// after the first paint. Should the window never be painted, the timer brings
// the rest anyway.
constexpr UINT kStartupRestMessage = WM_APP + 0x141;
constexpr UINT kTargetAnswersMessage = WM_APP + 0x142;
constexpr UINT kIconAnswersMessage = WM_APP + 0x143;
constexpr UINT_PTR kStartupRestTimerId = 1005;
constexpr UINT kStartupRestFallbackMs = 3000;

AppBarState InitialAppBarState(const Settings& settings) {
  AppBarState state;
  state.edge = EdgeForNewWindow(settings.Edge);
  state.autoHide = settings.AutoHide != 0;
  state.alwaysOnTop = settings.AlwaysOnTop != 0;
  return state;
}

}  // namespace

BarWindow::BarWindow(Settings& settings, CDB& db, MessageTexts& texts, ButtonIconCache* icons, BarHost& host)
    : Dialog(texts.TemplateId(IDD_BARWINDOW)),
      settings_(settings),
      db_(db),
      texts_(texts),
      icons_(icons),
      host_(host),
      children_(settings, db, texts, icons, [this] { return Edge(); }, [this] { return DisplayedOrNone(); }),
      adapter_(settings, texts, children_),
      appBar_(shell_, adapter_, InitialAppBarState(settings)),
      held_([this](bool open) { appBar_.SetDialogOpen(open); }),
      switcher_(*this, InitialDisplayedBar(db.GetHomeBar(), settings.CurrentBar, db.BarCount())),
      drop_({settings, db, children_, appBar_, texts, held_, [this] { return DisplayedOrNone(); }, [this] { return Edge(); },
             [this] { ShowDisplayedBar(); }}),
      menus_(*this, db, texts, icons),
      tray_(TrayNotifyMessage()),
      options_(settings, texts, *this) {}

BarWindow::~BarWindow() {
  // Destroyed here, while the members that the window's last messages use still exist.
  Destroy();
}

LiveViewValues BarWindow::LiveValues() const {
  const AppBarState& state = appBar_.State();
  return {state.autoHide ? 1 : 0, state.alwaysOnTop ? 1 : 0, state.edge};
}

void BarWindow::SetWindowIcons() {
  HICON large = ProgramIcon();
  HICON small = static_cast<HICON>(::LoadImageA(ResourceModule(), MAKEINTRESOURCEA(IDI_MAINFRAME), IMAGE_ICON,
                                                16, 16, LR_SHARED));
  ::SendMessageA(Hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(large));
  ::SendMessageA(Hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small ? small : large));
}

BOOL BarWindow::OnInitDialog() {
  STARTUP_MARK("bar window created");
  host_.SetMainWindow(Hwnd());
  ::SetWindowTextA(Hwnd(), ProgramTitle());
  shell_.SetWindow(Hwnd());
  adapter_.SetBar(Hwnd());
  children_.SetBar(Hwnd());

  STARTUP_MARK("bar window initialising");
  startup_ = StartupStep::kFirstFrame;
  ::SetTimer(Hwnd(), kStartupRestTimerId, kStartupRestFallbackMs, nullptr);
  background_.Reset(::CreateSolidBrush(static_cast<COLORREF>(settings_.ColorBk)));
  children_.MatchClockPanelToSettings();
  STARTUP_MARK("clock panel");
  RebuildSwitchButton();
  STARTUP_MARK("bar-switch button");
  // Refused (message 51 has been shown), the bar stays as it is and the rest
  // waits until the shell takes it (a new taskbar, a display change).
  if (!appBar_.Dock()) return FALSE;
  STARTUP_MARK("docked");
  // The buttons, and no taskbar button: the bar is reached through its own
  // edge and menus.
  CompleteDock();
  STARTUP_MARK("buttons and their icons");
  return TRUE;
}

// --- operations the options pages and the buttons manager call ----------------

void BarWindow::DatabaseReloaded() { targetChecks_.Start(db_.SlowTargets(), Hwnd(), kTargetAnswersMessage); }

// A removed panel leaves the rest to do as well: the background, the buttons and
// the bar-switch button may have changed with it (a Cancel of the options).
void BarWindow::ApplyOptions() {
  if (children_.MatchClockPanelToSettings() && !children_.ClockPanelWindow()) children_.LayOut();
  children_.RepaintPanel();
  RebuildBackground();
  RebuildButtons();
  RebuildSwitchButton();
}

void BarWindow::RedockAfterOptions() {
  children_.MatchClockPanelToSettings();
  children_.RepaintPanel();
  appBar_.Undock();
  appBar_.Dock();
  children_.LayOut();
}

void BarWindow::RebuildAll() {
  appBar_.Undock();
  appBar_.Dock();
  RebuildButtons();
  RebuildSwitchButton();
}

// --- commands and messages ---------------------------------------------------

LRESULT BarWindow::OnNotify(NMHDR* hdr) {
  if (hdr->code == TTN_GETDISPINFOA || hdr->code == TTN_GETDISPINFOW) children_.OnTooltipText(hdr);
  return 0;
}

void BarWindow::OnTimer(WPARAM id) {
  if (id == kAutoHideTimerId) {
    // Where the mouse is now: the position that came with the last message
    // stays where the mouse left the bar when no message follows it here.
    POINT mouse = {};
    ::GetCursorPos(&mouse);
    appBar_.CheckAutoHide({mouse.x, mouse.y}, {::GetSystemMetrics(SM_CXDOUBLECLK), ::GetSystemMetrics(SM_CYDOUBLECLK)});
  } else if (id == kHomeBarTimerId) {
    switcher_.OnHomeTimer();
  }
}

bool BarWindow::HandleMessage(UINT msg, WPARAM wp, LPARAM lp, INT_PTR& result) {
  running_.Observe(Hwnd(), msg, wp, lp);
  if (OnRegisteredMessage(msg, wp, lp)) {
    result = 0;
    return true;
  }
  if (msg == WM_COMMAND && lp != 0 && reinterpret_cast<HWND>(lp) == ButtonsToolbar()) {
    LaunchFromToolbar(LOWORD(wp));
    result = TRUE;
    return true;
  }
  if (msg == kReturnAfterLaunchMessage) {
    switcher_.ReturnAfterLaunch();
    result = 0;
    return true;
  }
  if (msg == kTargetAnswersMessage) {
    // A missing target hides its button, as the load would have.
    if (targetChecks_.Apply(db_, wp)) {
      RebuildButtons();
      RepaintAll();
    }
    result = 0;
    return true;
  }
  if (msg == kIconAnswersMessage) {
    // Icons on removable drives and network paths, checked on a worker thread.
    if (icons_ && icons_->OnCheckMessage(db_, wp) && ButtonsToolbar())
      ::InvalidateRect(ButtonsToolbar(), nullptr, TRUE);
    result = 0;
    return true;
  }
  if (msg == WM_DEVICECHANGE && wp == DBT_DEVICEARRIVAL && lp &&
      reinterpret_cast<const DEV_BROADCAST_HDR*>(lp)->dbch_devicetype == DBT_DEVTYP_VOLUME) {
    // A volume arrived (a stick plugged in): the icons on its drives are
    // checked again on their worker.
    if (icons_) icons_->RecheckDrives(reinterpret_cast<const DEV_BROADCAST_VOLUME*>(lp)->dbcv_unitmask);
    result = TRUE;
    return true;
  }
  if (msg == kStartupRestMessage || (msg == WM_TIMER && wp == kStartupRestTimerId)) {
    ::KillTimer(Hwnd(), kStartupRestTimerId);
    if (startup_ != StartupStep::kDone) {
      startup_ = StartupStep::kDone;
      STARTUP_MARK("first frame painted");
      SetWindowIcons();  // seen only in the system's task lists, not on the bar
      if (children_.CreateTooltip()) ReactivateTooltips();
      if (docked_) drop_.Register(Hwnd());
      if (docked_ && settings_.SysTrayIcon) tray_.Set(Hwnd(), true);
      WriteSettings();
      // The targets on removable drives and network paths are checked beside
      // the images below, on a thread of their own.
      targetChecks_.Start(db_.SlowTargets(), Hwnd(), kTargetAnswersMessage);
      // The other icon size and the file; the images of removable and network
      // paths are checked on a worker thread, whose answer comes as a message.
      if (icons_) {
        icons_->SetWindow(Hwnd(), kIconAnswersMessage);
        icons_->FinishStartup(db_);
      }
      // Last: it may show a message box.
      host_.AddStartup();
      STARTUP_MARK("start-up complete");
    }
    result = 0;
    return true;
  }
  switch (msg) {
    case WM_CTLCOLORDLG: case WM_CTLCOLORBTN: case WM_CTLCOLORSTATIC: case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX: case WM_CTLCOLORSCROLLBAR: case WM_CTLCOLORMSGBOX:
      result = reinterpret_cast<INT_PTR>(background_.Get());
      return true;
    case WM_PAINT: {
      STARTUP_MARK("shown, first paint begins");
      {
        PaintScope paint(Hwnd());
        Paint(paint.Get());
      }
      if (startup_ == StartupStep::kFirstFrame) {
        // The children are painted at once, so that the rest of the start
        // comes after the whole first frame.
        startup_ = StartupStep::kRestPosted;
        ::RedrawWindow(Hwnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        ::PostMessageA(Hwnd(), kStartupRestMessage, 0, 0);
      }
      result = 0;
      return true;
    }
    case BarDrop::kDroppedMessage:
      GuardedVoid("drop", [this] { drop_.TakeDrop(); });
      result = 0;
      return true;
    case WM_QUERYDRAGICON:
      result = reinterpret_cast<INT_PTR>(ProgramIcon());
      return true;
    case WM_SIZE:
      if (docked_) appBar_.OnSize();
      children_.LayOut();
      return false;
    case WM_WINDOWPOSCHANGED:
      // The default handling still runs: it sends WM_SIZE and WM_MOVE.
      if (shell_.Registered()) appBar_.OnWindowPosChanged();
      return false;
    case WM_ACTIVATE:
      if (LOWORD(wp) != WA_INACTIVE && docked_) appBar_.OnActivated();
      return false;
    case WM_MOUSEMOVE:
      appBar_.OnMouseMove();
      children_.OnMouseOverBar();
      return false;
    case WM_NCMOUSEMOVE:
      appBar_.OnMouseMove();
      return false;
    case WM_LBUTTONDBLCLK:
      OpenButtonsManager();
      return false;
    case WM_TIMER:
      OnTimer(wp);
      result = 0;
      return true;
    case WM_CONTEXTMENU:
      // The menu key and Shift+F10 send no point (-1, -1).
      menus_.ShowContextMenu({static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))}, lp == -1);
      result = TRUE;
      return true;
    case WM_MEASUREITEM:
      // The default handling runs as well.
      menus_.OnMeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lp));
      return false;
    case WM_DRAWITEM:
      if (!menus_.OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp))) return false;
      result = TRUE;
      return true;
    case WM_HELP:
      ShowHelpContents();
      result = TRUE;
      return true;
    case WM_QUERYENDSESSION:
      OnQueryEndSession();
      result = TRUE;
      return true;
    case WM_ENDSESSION:
      OnEndSession(wp != FALSE);
      result = 0;
      return true;
    case WM_DISPLAYCHANGE:
      OnDisplayChanged();
      return false;
    case WM_SETTINGCHANGE:
      if (wp == SPI_SETWORKAREA) OnDisplayChanged();
      return false;
    case WM_DESTROY:
      STARTUP_MARK("exit: window destroyed");
      ::KillTimer(Hwnd(), kStartupRestTimerId);
      startup_ = StartupStep::kDone;
      drop_.Revoke();
      ::KillTimer(Hwnd(), kAutoHideTimerId);
      ::KillTimer(Hwnd(), kHomeBarTimerId);
      ReleaseAndSave();
      STARTUP_MARK("exit: appbar left, settings written");
      host_.SetMainWindow(nullptr);
      return false;
  }
  return Dialog::HandleMessage(msg, wp, lp, result);
}
