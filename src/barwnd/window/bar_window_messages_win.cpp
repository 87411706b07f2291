// The bar window's messages: HandleMessage routes each to a named handler;
// the start's own messages go to BarStartup, the shell's to
// OnRegisteredMessage.
#include "barwnd/window/bar_window_win.h"

#include <dbt.h>

#include "barwnd/window/another_start.h"
#include "barwnd/window/bar_commands.h"
#include "icons/icon_cache_win.h"
#include "platform/display_scale_win.h"
#include "platform/exception_barrier.h"
#include "platform/startup_trace.h"

namespace {

// The message is answered with `value`; the dialog's default handling does not run.
bool Answer(INT_PTR& result, INT_PTR value) {
  result = value;
  return true;
}

}  // namespace

BarStartup::Steps BarWindow::StartupSteps() {
  BarStartup::Steps steps;
  steps.rest = [this] { RunRestOfStart(); };
  // Last: it may show a message box.
  steps.last = [this] { host_.AddStartup(); };
  steps.targetsHidden = [this] {
    RebuildButtons();
    RepaintAll();
  };
  steps.iconsReplaced = [this] {
    if (ButtonsToolbar()) ::InvalidateRect(ButtonsToolbar(), nullptr, TRUE);
  };
  return steps;
}

void BarWindow::RunRestOfStart() {
  SetWindowIcons();  // seen only in the system's task lists, not on the bar
  if (children_.CreateTooltip()) ReactivateTooltips();
  if (docked_) drop_.Register(Hwnd());
  if (docked_ && settings_.SysTrayIcon) tray_.Set(Hwnd(), true);
  WriteSettings();
  ApplyHotKey(false);
}

bool BarWindow::HandleMessage(UINT msg, WPARAM wp, LPARAM lp, INT_PTR& result) {
  running_.Observe(Hwnd(), msg, wp, lp);
  if (OnAnotherStart(msg, wp, result)) return true;
  if (OnRegisteredMessage(msg, wp, lp) || startup_.OnMessage(msg, wp)) return Answer(result, 0);
  if (msg == kReturnAfterLaunchMessage) {
    switcher_.ReturnAfterLaunch();
    return Answer(result, 0);
  }
  if (OnWatchedMessage(msg, wp, lp)) return false;
  switch (msg) {
    case WM_COMMAND:
      if (lp == 0 || reinterpret_cast<HWND>(lp) != ButtonsToolbar()) break;
      LaunchFromToolbar(LOWORD(wp));
      return Answer(result, TRUE);
    case WM_DEVICECHANGE:
      if (!OnDeviceChange(wp, lp)) break;
      return Answer(result, TRUE);
    case WM_CTLCOLORDLG: case WM_CTLCOLORBTN: case WM_CTLCOLORSTATIC: case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX: case WM_CTLCOLORSCROLLBAR: case WM_CTLCOLORMSGBOX:
      return Answer(result, reinterpret_cast<INT_PTR>(background_.Get()));
    case kDpiChangedMessage:
      // The new DPI comes with the message (the window's own may not say it yet);
      // the suggested rectangle is left aside: the shell places a docked bar.
      OnDpiChanged(HIWORD(wp));
      return Answer(result, 0);
    case WM_HOTKEY:
      // Under an open dialog (the manager edits the model live) it comes forward.
      if (wp == BarKeyboard::kHotKeyId && !BringOpenDialogForward()) keyboard_.OnHotKey();
      return Answer(result, 0);
    case WM_PAINT:
      OnPaint();
      return Answer(result, 0);
    case BarDrop::kDroppedMessage:
    case BarButtonDrag::kMoveMessage:
      GuardedVoid("drop", [this, msg] { msg == BarDrop::kDroppedMessage ? drop_.TakeDrop() : drag_.TakeMove(); });
      return Answer(result, 0);
    case WM_QUERYDRAGICON:
      return Answer(result, reinterpret_cast<INT_PTR>(ProgramIcon()));
    case WM_TIMER:
      OnTimer(wp);
      return Answer(result, 0);
    case WM_CONTEXTMENU:
      OnContextMenu(reinterpret_cast<HWND>(wp), lp);
      return Answer(result, TRUE);
    case WM_DRAWITEM:
      if (!menus_.OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp))) return false;
      return Answer(result, TRUE);
    case WM_HELP:
      ShowHelpContents();
      return Answer(result, TRUE);
    case WM_QUERYENDSESSION:
      OnQueryEndSession();
      return Answer(result, TRUE);
    case WM_ENDSESSION:
      OnEndSession(wp != FALSE);
      return Answer(result, 0);
  }
  return Dialog::HandleMessage(msg, wp, lp, result);
}

bool BarWindow::OnWatchedMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_SIZE:
      if (docked_) appBar_.OnSize();
      children_.LayOut();
      return true;
    case WM_WINDOWPOSCHANGED:
      // The default handling still runs: it sends WM_SIZE and WM_MOVE.
      if (shell_.Registered()) appBar_.OnWindowPosChanged();
      return true;
    case WM_SHOWWINDOW:
      if (wp) STARTUP_MARK("shown by the system");
      return true;
    case WM_ACTIVATE:
      if (LOWORD(wp) != WA_INACTIVE && docked_) appBar_.OnActivated();
      keyboard_.OnActivate(LOWORD(wp) != WA_INACTIVE);
      if (LOWORD(wp) == WA_INACTIVE) drag_.Lost();
      return true;
    case WM_MOUSEMOVE:
      appBar_.OnMouseMove();
      children_.OnMouseOverBar();
      return true;
    case WM_NCMOUSEMOVE:
      appBar_.OnMouseMove();
      return true;
    case WM_LBUTTONDBLCLK:
      OpenButtonsManager();
      return true;
    case WM_MEASUREITEM:
      menus_.OnMeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lp));
      return true;
    case WM_DISPLAYCHANGE:
      OnDisplayChanged();
      return true;
    case WM_SETTINGCHANGE:
      if (wp == SPI_SETWORKAREA) OnDisplayChanged();
      if (lp && lstrcmpiA(reinterpret_cast<const char*>(lp), "intl") == 0) children_.ClockChanged();
      return true;
    case WM_TIMECHANGE:
      children_.ClockChanged();
      return true;
    case WM_DESTROY:
      OnDestroy();
      return true;
  }
  return false;
}

void BarWindow::OnPaint() {
  STARTUP_MARK("shown, first paint begins");
  {
    PaintScope paint(Hwnd());
    Paint(paint.Get());
  }
  startup_.FramePainted();
}

void BarWindow::OnTimer(WPARAM id) {
  if (id == kForwardHoldTimerId) EndForwardHold();
  if (id == kAutoHideTimerId && !forwardHeld_) {
    // Where the mouse is now: the position that came with the last message
    // stays where the mouse left the bar when no message follows it here.
    POINT mouse = {};
    ::GetCursorPos(&mouse);
    const int dpi = children_.Dpi();
    appBar_.CheckAutoHide({mouse.x, mouse.y}, {MetricAt(SM_CXDOUBLECLK, dpi), MetricAt(SM_CYDOUBLECLK, dpi)});
  } else if (id == kHomeBarTimerId) {
    switcher_.OnHomeTimer();
  }
}

// A volume arrived (a stick plugged in, a share mapped): the icons and the
// file targets on its drives are checked again on their workers. True when
// the notice was that. Any device notice may change what a letter is. The
// unit mask is read only from a notice that says it is long enough to hold it.
bool BarWindow::OnDeviceChange(WPARAM wp, LPARAM lp) {
  if (icons_) icons_->ForgetDriveKinds();
  const auto* notice = reinterpret_cast<const DEV_BROADCAST_HDR*>(lp);
  if (wp != DBT_DEVICEARRIVAL || !notice || notice->dbch_devicetype != DBT_DEVTYP_VOLUME ||
      notice->dbch_size < sizeof(DEV_BROADCAST_VOLUME))
    return false;
  const uint32_t unitMask = reinterpret_cast<const DEV_BROADCAST_VOLUME*>(lp)->dbcv_unitmask;
  if (icons_) icons_->RecheckDrives(unitMask);
  startup_.DrivesArrived(unitMask);
  return true;
}

void BarWindow::OnDestroy() {
  STARTUP_MARK("exit: window destroyed");
  startup_.Stop();
  drop_.Revoke();
  keyboard_.Unregister();
  ::KillTimer(Hwnd(), kAutoHideTimerId);
  ::KillTimer(Hwnd(), kHomeBarTimerId);
  EndForwardHold();
  ReleaseAndSave();
  STARTUP_MARK("exit: appbar left, settings written");
  host_.SetMainWindow(nullptr);
}
