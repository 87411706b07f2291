#include "barwnd/bar_window_win.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "app/add_startup_win.h"
#include "app/app_win.h"
#include "app/install_info_win.h"
#include "app/live_values_win.h"
#include "app/message_texts.h"
#include "app/registered_messages_win.h"
#include "app/settings.h"
#include "barwnd/bar_commands.h"
#include "barwnd/bar_geometry.h"
#include "barwnd/logo_painter_win.h"
#include "barwnd/screen_edge.h"
#include "clock/clock_panel_win.h"
#include "db/cdb.h"
#include "resource.h"

namespace {

constexpr int kMsgEmptyBar = 54;
constexpr int kMsgExitQuestion = 58;

AppBarState InitialAppBarState() {
  const Settings& settings = TheSettings();
  AppBarState state;
  state.edge = EdgeForNewWindow(settings.Edge);
  state.autoHide = settings.AutoHide != 0;
  state.alwaysOnTop = settings.AlwaysOnTop != 0;
  return state;
}

Size DialogFrame() { return {::GetSystemMetrics(SM_CXDLGFRAME), ::GetSystemMetrics(SM_CYDLGFRAME)}; }

Size CurrentButtonSize() { return ToolbarButtonSize(IconSize(TheSettings().LargeIcon != 0)); }

Rect WindowRectOf(HWND hwnd) {
  RECT r = {};
  ::GetWindowRect(hwnd, &r);
  return {r.left, r.top, r.right, r.bottom};
}

// An image list of one size holding one icon resource.
UniqueImageList LoadIconList(int resource, int size) {
  UniqueImageList list(::ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 1, 1));
  UniqueIcon icon(static_cast<HICON>(
      ::LoadImageA(ResourceModule(), MAKEINTRESOURCEA(resource), IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
  if (!list || !icon || ::ImageList_ReplaceIcon(list.Get(), -1, icon.Get()) != 0) return {};
  return list;
}

bool LargeIcons() { return TheSettings().LargeIcon != 0; }

BarToolbar::Look ToolbarLook(HIMAGELIST images) {
  const Settings& settings = TheSettings();
  BarToolbar::Look look;
  look.flat = settings.FlatButtons != 0;
  look.background = static_cast<COLORREF>(settings.ColorBk);
  look.images = images;
  look.image = IconSize(settings.LargeIcon != 0);
  look.button = ToolbarButtonSize(look.image);
  return look;
}

std::vector<BarButtonEntry> EntriesOf(const CBar& bar) {
  std::vector<BarButtonEntry> entries;
  for (int32_t i = 0; i < bar.Count(); ++i) {
    const CD* button = bar.At(i);
    entries.push_back({button->IsSeparator != 0, button->Available != 0, button->CommandId, button->ImageIndex});
  }
  return entries;
}

std::vector<TBBUTTON> ToolbarButtonsOf(const ToolbarPlan& plan) {
  std::vector<TBBUTTON> buttons;
  for (const ToolbarItem& item : plan.items) {
    TBBUTTON button = {};
    const BYTE wrap = item.wrap ? TBSTATE_WRAP : 0;
    if (item.separator) {
      button.iBitmap = kSeparatorWidth;
      button.fsStyle = TBSTYLE_SEP;
      button.fsState = wrap;
    } else {
      button.iBitmap = item.imageIndex;
      button.idCommand = item.commandId;
      button.fsStyle = TBSTYLE_BUTTON;
      button.fsState = TBSTATE_ENABLED | wrap;
    }
    buttons.push_back(button);
  }
  return buttons;
}

// Where the control really put an item. On left and right bars it draws a
// wrapped separator as a gap of its own height, not the planned 12 pixels, and
// a tip must cover the button the mouse is over.
Rect ItemRect(const BarToolbar& toolbar, std::size_t index, const Rect& planned) {
  RECT r = {};
  if (!::SendMessageA(toolbar.Hwnd(), TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r))) return planned;
  return {r.left, r.top, r.right, r.bottom};
}

void Move(HWND hwnd, const Rect& r) {
  if (hwnd) ::SetWindowPos(hwnd, nullptr, r.left, r.top, r.Width(), r.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

BarWindow::BarWindow()
    : Dialog(TheMessages().TemplateId(IDD_BARWINDOW)),
      appBar_(shell_, *this, InitialAppBarState()),
      switcher_(*this, InitialDisplayedBar(TheDB().GetHomeBar(), TheSettings().CurrentBar, TheDB().BarCount())) {
  SetLiveValuesSource([this] {
    const AppBarState& state = appBar_.State();
    LiveValues live;
    live.hasWindow = true;
    live.view = {state.autoHide ? 1 : 0, state.alwaysOnTop ? 1 : 0, state.edge};
    live.displayedBar = switcher_.Displayed();
    return live;
  });
}

BarWindow::~BarWindow() {
  // Destroyed here, while the members that the window's last messages use still exist.
  if (Hwnd()) ::DestroyWindow(Hwnd());
  SetLiveValuesSource(nullptr);
}

HWND BarWindow::ClockPanelWindow() const { return panel_ ? panel_->Hwnd() : nullptr; }

BOOL BarWindow::OnInitDialog() {
  SetMainWindow(Hwnd());
  ::SetWindowTextA(Hwnd(), ProgramTitle());
  shell_.SetWindow(Hwnd());

  HICON large = ::LoadIconA(ResourceModule(), MAKEINTRESOURCEA(IDI_MAINFRAME));
  HICON small = static_cast<HICON>(::LoadImageA(ResourceModule(), MAKEINTRESOURCEA(IDI_MAINFRAME), IMAGE_ICON,
                                                16, 16, LR_SHARED));
  ::SendMessageA(Hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(large));
  ::SendMessageA(Hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small ? small : large));

  AddStartup();
  background_.Reset(::CreateSolidBrush(static_cast<COLORREF>(TheSettings().ColorBk)));
  MatchClockPanelToSettings();
  if (tooltip_.Create()) ReactivateTooltips();
  RebuildSwitchButton();
  if (!appBar_.Dock()) return FALSE;  // message 51 has been shown; the bar stays as it is
  docked_ = true;
  RebuildButtons();
  // No taskbar button: the bar is reached through its own edge and menus.
  ::SetWindowLongA(Hwnd(), GWL_EXSTYLE, WS_EX_TOOLWINDOW);
  ::SetWindowPos(Hwnd(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  RepaintAll();
  return TRUE;
}

// --- children --------------------------------------------------------------

bool BarWindow::MatchClockPanelToSettings() {
  const Settings& s = TheSettings();
  const bool wanted = WantsClockPanel(s.ShowBlock != 0, s.ShowCal != 0, s.ShowClock != 0);
  if (wanted == (panel_ != nullptr)) return false;
  if (!wanted) {
    panel_.reset();
    return true;
  }
  auto panel = std::make_unique<ClockPanel>([this] { return Edge(); });
  RECT size = panel->GetRect(Edge());
  if (!panel->Create(Hwnd(), size)) return false;
  // The panel is framed as sunk into the bar.
  ::SetWindowLongA(panel->Hwnd(), GWL_EXSTYLE, ::GetWindowLongA(panel->Hwnd(), GWL_EXSTYLE) | WS_EX_CLIENTEDGE);
  ::SetWindowPos(panel->Hwnd(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  panel_ = std::move(panel);
  LayOut();
  return true;
}

Size BarWindow::PanelSize(int edge) const {
  if (!panel_) return {};
  RECT r = panel_->GetRect(edge);
  return {r.right - r.left, r.bottom - r.top};
}

void BarWindow::LayOut() {
  if (!Hwnd()) return;
  const int edge = Edge();
  const Rect window = WindowRectOf(Hwnd());
  ChildLayoutInput in;
  in.edge = edge;
  in.thickness = BarThickness(edge);
  in.windowLength = IsLeftOrRightEdge(edge) ? window.Height() : window.Width();
  in.dialogFrame = DialogFrame();
  in.posLeft = TheSettings().PosLeft != 0;
  if (panel_) in.panel = PanelSize(edge);
  in.button = CurrentButtonSize();
  in.toolbar = plan_.size;
  const ChildLayout layout = LayOutChildren(in);
  if (panel_ && layout.panel) Move(panel_->Hwnd(), *layout.panel);
  Move(SwitchToolbar(), layout.switchButton);
  Move(ButtonsToolbar(), layout.toolbar);
}

void BarWindow::RemoveButtonTools() {
  if (!buttonsToolbar_) return;
  for (const ToolbarItem& item : plan_.items) {
    if (!item.separator) tooltip_.RemoveTool(buttonsToolbar_->Hwnd(), static_cast<UINT>(item.commandId));
  }
}

void BarWindow::RebuildButtons() {
  RemoveButtonTools();
  buttonsToolbar_.reset();
  plan_ = {};
  firstCaption_.clear();

  // A button whose icon cannot be found is drawn without an image; only lists
  // that cannot be made at all leave the bar without its toolbar.
  const int displayed = switcher_.HasDisplayedBar() ? switcher_.Displayed() : -1;
  CBar* bar = TheDB().Bar(displayed);
  if (bar && buttonImages_.Build(TheDB(), displayed, LargeIcons())) {
    ToolbarPlan plan = PlanToolbar(EntriesOf(*bar), Edge(), CurrentButtonSize());
    auto toolbar = std::make_unique<BarToolbar>();
    if (!plan.items.empty() && toolbar->Create(Hwnd(), kButtonsToolbarId,
                                               ToolbarLook(buttonImages_.ForIconSize(LargeIcons())),
                                               ToolbarButtonsOf(plan))) {
      for (std::size_t i = 0; i < plan.items.size(); ++i) {
        const ToolbarItem& item = plan.items[i];
        if (item.separator) continue;
        const std::string& caption = bar->At(static_cast<int32_t>(item.source))->Name;
        if (firstCaption_.empty()) firstCaption_ = caption;
        tooltip_.AddTool(toolbar->Hwnd(), static_cast<UINT>(item.commandId), ItemRect(*toolbar, i, item.rect),
                         caption);
      }
      buttonsToolbar_ = std::move(toolbar);
      plan_ = std::move(plan);
    }
  }
  LayOut();
}

void BarWindow::RebuildSwitchButton() {
  if (switchToolbar_) tooltip_.RemoveTool(switchToolbar_->Hwnd(), kCmdBarSwitch);
  switchToolbar_.reset();
  switchSmall_ = LoadIconList(IDI_BARSWITCH, 16);
  switchLarge_ = LoadIconList(IDI_BARSWITCH, 32);
  if (!switchSmall_ || !switchLarge_) return;

  TBBUTTON button = {};
  button.iBitmap = 0;
  button.idCommand = kCmdBarSwitch;
  button.fsState = TBSTATE_ENABLED;
  button.fsStyle = TBSTYLE_BUTTON;
  auto toolbar = std::make_unique<BarToolbar>();
  HIMAGELIST images = LargeIcons() ? switchLarge_.Get() : switchSmall_.Get();
  if (!toolbar->Create(Hwnd(), kSwitchToolbarId, ToolbarLook(images), {button})) return;
  switchToolbar_ = std::move(toolbar);
  LayOut();
  const Size size = CurrentButtonSize();
  tooltip_.AddCallbackTool(switchToolbar_->Hwnd(), kCmdBarSwitch, Rect{0, 0, size.cx, size.cy});
}

// --- operations the options pages and the buttons manager call ----------------

void BarWindow::ApplyOptions() {
  if (MatchClockPanelToSettings() && !panel_) {
    LayOut();
    return;
  }
  if (panel_) ::InvalidateRect(panel_->Hwnd(), nullptr, FALSE);
  RebuildBackground();
  RebuildButtons();
  RebuildSwitchButton();
}

void BarWindow::RedockAfterOptions() {
  MatchClockPanelToSettings();
  if (panel_) ::InvalidateRect(panel_->Hwnd(), nullptr, FALSE);
  appBar_.Undock();
  appBar_.Dock();
  LayOut();
}

void BarWindow::RebuildAll() {
  appBar_.Undock();
  appBar_.Dock();
  RebuildButtons();
  RebuildSwitchButton();
}

void BarWindow::ReactivateTooltips() { tooltip_.Activate(TheSettings().UseToolTips != 0); }

void BarWindow::RebuildBackground() {
  background_.Reset(::CreateSolidBrush(static_cast<COLORREF>(TheSettings().ColorBk)));
  RepaintAll();
}

void BarWindow::RepaintAll() {
  if (Hwnd()) ::RedrawWindow(Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
}

// --- AppBarWindow ------------------------------------------------------------

Size BarWindow::PrimaryScreenSize() { return {::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)}; }

int BarWindow::BarThickness(int edge) {
  return ::BarThickness(edge, IconSize(TheSettings().LargeIcon != 0), PanelSize(edge), DialogFrame());
}

Rect BarWindow::ScreenRect() { return WindowRectOf(Hwnd()); }

void BarWindow::Place(const Rect& rect, bool topmost, Activation activation) {
  UINT flags = activation == Activation::kNoActivate ? SWP_NOACTIVATE : 0;
  ::SetWindowPos(Hwnd(), topmost ? HWND_TOPMOST : HWND_NOTOPMOST, rect.left, rect.top, rect.Width(), rect.Height(),
                 flags);
}

void BarWindow::SetTopmost(bool topmost) {
  ::SetWindowPos(Hwnd(), topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void BarWindow::UpdateNow() { ::RedrawWindow(Hwnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN); }

bool BarWindow::Smoothly() { return TheSettings().Smoothly != 0; }

void BarWindow::StartAutoHideTimer() { ::SetTimer(Hwnd(), kAutoHideTimerId, kAutoHideCheckMilliseconds, nullptr); }

void BarWindow::StopAutoHideTimer() { ::KillTimer(Hwnd(), kAutoHideTimerId); }

void BarWindow::ShowMessage(int id) {
  ::MessageBoxA(Hwnd(), TheMessages().Text(id).c_str(), ProgramTitle(), MB_OK);
}

// --- BarSwitchHost -----------------------------------------------------------

int BarWindow::BarCount() { return TheDB().BarCount(); }

std::optional<HomeBarOptions> BarWindow::HomeBar() {
  const int ordinal = TheDB().GetHomeBar();
  const CBar* home = TheDB().Bar(ordinal);
  if (!home) return std::nullopt;
  return HomeBarOptions{ordinal, home->ShowOnLaunch != 0, home->ShowOnTimer != 0, home->ShowAfter};
}

void BarWindow::ShowDisplayedBar() {
  RebuildButtons();
  RepaintAll();
}

void BarWindow::LaunchButton(int bar, int commandId) {
  if (const CBar* shown = TheDB().Bar(bar)) shown->Launch(commandId);
}

void BarWindow::StartHomeTimer(int milliseconds) {
  ::SetTimer(Hwnd(), kHomeBarTimerId, static_cast<UINT>(std::max(milliseconds, 0)), nullptr);
}

void BarWindow::StopHomeTimer() { ::KillTimer(Hwnd(), kHomeBarTimerId); }

// --- painting ----------------------------------------------------------------

void BarWindow::Paint() {
  PAINTSTRUCT ps;
  HDC dc = ::BeginPaint(Hwnd(), &ps);
  if (::IsIconic(Hwnd())) {
    RECT client;
    ::GetClientRect(Hwnd(), &client);
    const int x = (client.right - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
    ::DrawIcon(dc, x, y, ::LoadIconA(ResourceModule(), MAKEINTRESOURCEA(IDI_MAINFRAME)));
  } else if (TheSettings().Logo) {
    const Rect window = WindowRectOf(Hwnd());
    LogoContext logo;
    logo.edge = Edge();
    logo.posLeft = TheSettings().PosLeft != 0;
    logo.background = static_cast<COLORREF>(TheSettings().ColorBk);
    logo.window = {window.Width(), window.Height()};
    if (panel_) {
      RECT r;
      ::GetWindowRect(panel_->Hwnd(), &r);
      ::MapWindowPoints(nullptr, Hwnd(), reinterpret_cast<POINT*>(&r), 2);
      logo.panel = Rect{r.left, r.top, r.right, r.bottom};
    }
    PaintLogo(dc, logo);
  }
  ::EndPaint(Hwnd(), &ps);
}

// --- input -------------------------------------------------------------------

void BarWindow::OnMouseOverBar() {
  appBar_.OnMouseMove();
  if (buttonsToolbar_ && !firstCaption_.empty()) {
    for (const ToolbarItem& item : plan_.items) {
      if (item.separator) continue;
      tooltip_.UpdateText(buttonsToolbar_->Hwnd(), static_cast<UINT>(item.commandId), firstCaption_);
      break;
    }
  }
}

void BarWindow::ShowContextMenu(POINT screenPoint) {
  UniqueMenu menu(::CreatePopupMenu());
  ::AppendMenuA(menu.Get(), MF_STRING, kCmdExit, "Exit");
  RECT rect;
  ::GetWindowRect(Hwnd(), &rect);
  if (!::PtInRect(&rect, screenPoint)) {  // from the keyboard: below the bar
    screenPoint = {rect.left + (rect.right - rect.left) / 3, rect.bottom - 2};
  }
  SetDialogOpen(true);
  ::SetForegroundWindow(Hwnd());
  ::TrackPopupMenu(menu.Get(), TPM_LEFTBUTTON, screenPoint.x, screenPoint.y, 0, Hwnd(), nullptr);
  ::PostMessageA(Hwnd(), WM_NULL, 0, 0);
  SetDialogOpen(false);
}

// A plain list of the available bars, the displayed one checked; bars keep
// their index in the command even when others are left out.
void BarWindow::ShowBarSwitchMenu() {
  UniqueMenu menu(::CreatePopupMenu());
  CDB& db = TheDB();
  if (db.BarCount() == 0) ::AppendMenuA(menu.Get(), MF_STRING, kFirstSwitchCommand, TheMessages().Text(kMsgEmptyBar).c_str());
  for (int32_t n = 0; n < db.BarCount() && n <= kLastSwitchCommand - kFirstSwitchCommand; ++n) {
    const CBar* bar = db.Bar(n);
    if (!bar->Available) continue;
    std::string text = "  " + bar->Name + (n == db.GetHomeBar() ? " (fixed)" : "");
    UINT flags = MF_STRING | (n == switcher_.Displayed() ? MF_CHECKED : 0);
    ::AppendMenuA(menu.Get(), flags, static_cast<UINT_PTR>(kFirstSwitchCommand + n), text.c_str());
  }
  RECT button = {};
  if (SwitchToolbar()) ::GetWindowRect(SwitchToolbar(), &button);
  SetDialogOpen(true);
  ::SetForegroundWindow(Hwnd());
  ::TrackPopupMenu(menu.Get(), TPM_LEFTBUTTON, button.left, button.bottom, 0, Hwnd(), nullptr);
  ::PostMessageA(Hwnd(), WM_NULL, 0, 0);
  SetDialogOpen(false);
}

// The buttons manager is not part of the program yet; the double click and
// the command already come here.
void BarWindow::OpenButtonsManager() {}

void BarWindow::OnExit() {
  if (::MessageBoxA(Hwnd(), TheMessages().Text(kMsgExitQuestion).c_str(), ProgramTitle(),
                    MB_YESNO | MB_ICONQUESTION) == IDYES) {
    EndDialog(IDOK);
  }
}

void BarWindow::ReleaseAndSave() {
  if (shell_.Registered()) shell_.Remove();
  WriteSettings();
}

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
    LayOut();
    RepaintAll();
    return true;
  }
  switch (id) {
    case kCmdAutoHide:
      appBar_.ToggleAutoHide();
      return true;
    case kCmdAlwaysOnTop:
      appBar_.ToggleAlwaysOnTop();
      return true;
    case kCmdButtonsManager:
      OpenButtonsManager();
      return true;
    case kCmdBarSwitch:
      ShowBarSwitchMenu();
      return true;
    case kCmdExit:
      OnExit();
      return true;
  }
  return false;
}

LRESULT BarWindow::OnNotify(NMHDR* hdr) {
  if (hdr->code != TTN_GETDISPINFOA && hdr->code != TTN_GETDISPINFOW) return 0;
  ::SendMessageA(hdr->hwndFrom, TTM_SETMAXTIPWIDTH, 0, BarTooltip::kMaxTipWidth);
  if (hdr->idFrom != kCmdBarSwitch) return 0;
  const CBar* bar = switcher_.HasDisplayedBar() ? TheDB().Bar(switcher_.Displayed()) : nullptr;
  const std::string text = SwitchButtonTipText(bar ? &bar->Name : nullptr, TheMessages().Text(kMsgEmptyBar));
  if (hdr->code == TTN_GETDISPINFOA) {
    auto* info = reinterpret_cast<NMTTDISPINFOA*>(hdr);
    lstrcpynA(info->szText, text.c_str(), sizeof(info->szText));
    info->lpszText = info->szText;
    info->hinst = nullptr;
  } else {
    auto* info = reinterpret_cast<NMTTDISPINFOW*>(hdr);
    const int count = static_cast<int>(sizeof(info->szText) / sizeof(info->szText[0]));
    const int written = ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), info->szText,
                                              count - 1);
    info->szText[std::clamp(written, 0, count - 1)] = L'\0';
    info->lpszText = info->szText;
    info->hinst = nullptr;
  }
  return 0;
}

bool BarWindow::HandleMessage(UINT msg, WPARAM wp, LPARAM lp, INT_PTR& result) {
  if (msg == AppBarNotifyMessage() && msg != 0) {

    appBar_.OnShellNotify(static_cast<int>(wp));
    result = 0;
    return true;
  }
  switch (msg) {
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORMSGBOX:
      result = reinterpret_cast<INT_PTR>(background_.Get());
      return true;
    case WM_PAINT:
      Paint();
      result = 0;
      return true;
    case WM_QUERYDRAGICON:
      result = reinterpret_cast<INT_PTR>(::LoadIconA(ResourceModule(), MAKEINTRESOURCEA(IDI_MAINFRAME)));
      return true;
    case WM_SIZE:
      if (docked_) appBar_.OnSize();
      LayOut();
      return false;
    case WM_WINDOWPOSCHANGED:
      // The default handling still runs: it sends WM_SIZE and WM_MOVE.
      if (shell_.Registered()) appBar_.OnWindowPosChanged();
      return false;
    case WM_ACTIVATE:
      if (LOWORD(wp) != WA_INACTIVE && docked_) appBar_.OnActivated();
      return false;
    case WM_MOUSEMOVE:
      OnMouseOverBar();
      return false;
    case WM_NCMOUSEMOVE:
      appBar_.OnMouseMove();
      return false;
    case WM_LBUTTONDBLCLK:
      OpenButtonsManager();
      return false;
    case WM_TIMER:
      if (wp == kAutoHideTimerId) {
        // Where the mouse is now: the position that came with the last message
        // stays where the mouse left the bar when no message follows it here.
        POINT mouse = {};
        ::GetCursorPos(&mouse);
        appBar_.CheckAutoHide({mouse.x, mouse.y},
                              {::GetSystemMetrics(SM_CXDOUBLECLK), ::GetSystemMetrics(SM_CYDOUBLECLK)});
      } else if (wp == kHomeBarTimerId) {
        switcher_.OnHomeTimer();
      }
      result = 0;
      return true;
    case WM_CONTEXTMENU: {
      POINT point = {static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
      ShowContextMenu(point);
      result = TRUE;
      return true;
    }
    case WM_ENDSESSION:
      // Whatever Windows says about ending: the appbar and the settings must not be lost.
      ReleaseAndSave();
      result = 0;
      return true;
    case WM_DESTROY:
      ::KillTimer(Hwnd(), kAutoHideTimerId);
      ::KillTimer(Hwnd(), kHomeBarTimerId);
      ReleaseAndSave();
      SetMainWindow(nullptr);
      return false;
  }
  return Dialog::HandleMessage(msg, wp, lp, result);
}
