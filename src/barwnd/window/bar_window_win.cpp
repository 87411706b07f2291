#include "barwnd/window/bar_window_win.h"

#include <commctrl.h>

#include "core/message_texts.h"
#include "barwnd/window/bar_commands.h"
#include "barwnd/dock/screen_edge.h"
#include "db/cdb.h"
#include "icons/icon_cache_win.h"
#include "platform/display_scale_win.h"
#include "platform/geometry_win.h"
#include "platform/registered_messages_win.h"
#include "resource.h"

#include "platform/startup_trace.h"
#include "core/message_ids.h"
#include "core/message_box_win.h"

namespace {


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
      startup_(db, icons, StartupSteps()),
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
  const int side = MetricAt(SM_CXSMICON, children_.Dpi());
  HICON small = static_cast<HICON>(::LoadImageA(ResourceModule(), MAKEINTRESOURCEA(IDI_MAINFRAME), IMAGE_ICON,
                                                side, side, LR_SHARED));
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
  children_.WatchButtonsRebuilt([this] { keyboard_.OnButtonsRebuilt(); });
  children_.WatchButtonsMessages([this](HWND toolbar, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    return drag_.OnToolbarMessage(toolbar, msg, wp, lp, result);
  });
  // The window was made on the primary monitor; it is measured at the scale
  // of the monitor it docks on, so its first frame is drawn at that scale.
  if (const int dpi = adapter_.BarMonitor().dpi; dpi > 0) children_.SetDpi(dpi);

  STARTUP_MARK("bar window initialising");
  startup_.Begin(Hwnd());
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

void BarWindow::DatabaseReloaded() { startup_.CheckTargets(); }

// A removed panel leaves the rest to do as well: the background, the buttons and
// the bar-switch button may have changed with it (a Cancel of the options).
void BarWindow::ApplyOptions() {
  // While the buttons manager is open only its Apply asks, once the model is saved.
  if (managerSavedBar_) managerSavedBar_ = switcher_.Displayed();
  if (children_.MatchClockPanelToSettings() && !children_.ClockPanelWindow()) children_.LayOut();
  children_.RepaintPanel();
  RebuildBackground();
  RebuildButtons();
  RebuildSwitchButton();
  ApplyHotKey(true);
}

// A refused key is reported once for each choice; the one the start found
// refused counts as reported, so no later option click brings it up.
void BarWindow::ApplyHotKey(bool tell) {
  if (!keyboard_.RefusedAnew(settings_.HotKey) || !tell) return;
  ShowProgramMessage(Hwnd(), texts_.Text(kMsgHotKeyTaken) + BarKeyboard::NameOf(settings_.HotKey) +
                                 texts_.Text(kMsgHotKeyTakenEnd), MB_OK | MB_ICONEXCLAMATION);
}

void BarWindow::RedockAfterOptions() {
  children_.MatchClockPanelToSettings();
  children_.RepaintPanel();
  appBar_.Undock();
  appBar_.Dock();
  children_.LayOut();
  // A colour of the clock or of its text shows on the whole bar at once.
  RepaintAll();
}

void BarWindow::OnDpiChanged(int dpi) {
  children_.SetDpi(dpi);
  RebuildSwitchButton();
  if (docked_) {
    // Undocking rebuilds the buttons, their image lists at the new icon sides.
    appBar_.Undock();
    appBar_.Dock();
  }
  children_.Remeasure();
  RepaintAll();
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
  if (hdr->code == NM_CUSTOMDRAW && hdr->hwndFrom == ButtonsToolbar())
    return keyboard_.OnCustomDraw(reinterpret_cast<NMTBCUSTOMDRAW*>(hdr));
  if (hdr->code == NM_CUSTOMDRAW && hdr->hwndFrom == children_.ChevronToolbar())
    return children_.OnChevronDraw(reinterpret_cast<NMTBCUSTOMDRAW*>(hdr));
  return 0;
}
