// The bar window: the program's main window, a dialog docked along a screen edge
// as a shell appbar. Its modal loop is the program's only message loop.
//
// It holds, along the bar, the clock panel, the bar-switch button and the
// toolbar of the displayed bar's buttons (BarChildren). Docking, autohide and
// the slide are decided by AppBarController, the displayed bar and the
// home-bar return by BarSwitcher; this class routes the window's messages and
// commands to them.
#pragma once

#include <windows.h>

#include <optional>

#include "core/settings.h"
#include "barwnd/dock/appbar_controller.h"
#include "barwnd/dock/appbar_shell_win.h"
#include "barwnd/dock/bar_appbar_win.h"
#include "barwnd/window/bar_children_win.h"
#include "barwnd/drag/button_drag_win.h"
#include "barwnd/drop/bar_drop_win.h"
#include "barwnd/window/bar_host.h"
#include "barwnd/window/bar_hotkey_win.h"
#include "barwnd/dock/screen_edge.h"
#include "barwnd/window/bar_startup_win.h"
#include "barwnd/window/bar_running_win.h"
#include "barwnd/menus/bar_menus_win.h"
#include "barwnd/window/bar_switcher.h"
#include "barwnd/window/dialog_count.h"
#include "editing/manager/manager_host.h"
#include "options/options_host.h"
#include "options/options_sheet_win.h"
#include "platform/handles_win.h"
#include "platform/window_win.h"
#include "widgets/tray_icon_win.h"

class ButtonIconCache;
class CDB;
class MessageTexts;
struct CD;

// The bar window is what its menus, the options sheet and the buttons manager
// act on, each through its own small interface.
class BarWindow : public Dialog,
                  public BarMenuHost,
                  public OptionsHost,
                  public ManagerHost,
                  private BarSwitchHost {
 public:
  static constexpr int kButtonsToolbarId = BarChildren::kButtonsToolbarId;
  static constexpr int kSwitchToolbarId = BarChildren::kSwitchToolbarId;

  // `icons` is start-up's icon cache, which the buttons' image lists, the
  // bar-switch menu and the buttons manager draw from and which finishes its
  // start after the first paint; null (tests, tools): every image comes from
  // the shell.
  BarWindow(Settings& settings, CDB& db, MessageTexts& texts, ButtonIconCache* icons, BarHost& host);
  ~BarWindow() override;

  bool AlwaysOnTop() const { return appBar_.State().alwaysOnTop; }
  bool Shown() const { return appBar_.State().shown; }
  // The edge, autohide and always-on-top values the settings file gets.
  LiveViewValues LiveValues() const;

  // BarMenuHost (the bar's menus)
  HWND BarHwnd() override { return Hwnd(); }
  int Edge() override { return appBar_.State().edge; }
  bool AutoHide() override { return appBar_.State().autoHide; }
  int DisplayedBar() override { return switcher_.Displayed(); }
  RECT SwitchButtonScreenRect() override;
  // While a dialog or menu of the bar is open, an autohide bar never collapses.
  // Each opening (true) is paired with its closing (false); they are counted,
  // so a box closed over another dialog leaves the bar held.
  void SetDialogOpen(bool open) override { open ? held_.Enter() : held_.Leave(); }
  bool CanAddFrontProgram() override { return running_.CanAddFront(); }

  // ManagerHost (the buttons manager chooses the displayed bar itself; its
  // Apply asks for ApplyOptions) and OptionsHost (the options pages)
  void SetDisplayedBar(int index) override { switcher_.SetDisplayed(index); }
  void ApplyOptions() override;
  // The buttons manager's Cancel read the database again: its removable and
  // network targets are checked in the background, as after start-up.
  void DatabaseReloaded() override;
  void RedockAfterOptions() override;
  void RebuildAll() override;
  void ReactivateTooltips() override { children_.ReactivateTooltips(); }
  void RebuildBackground() override;
  void RepaintAll() override;
  void SetTrayIcon(bool shown) override { tray_.Set(Hwnd(), shown); }
  bool AddStartup() override { return host_.AddStartup(); }
  void WriteSettings() override { host_.WriteSettings(settings_, LiveValues(), switcher_.Displayed()); }
  void SetConfirmedSettings(const Settings* record) override { optionsConfirmed_ = record; }

  void RebuildButtons() { children_.RebuildButtons(); }
  void RebuildSwitchButton() { children_.RebuildSwitchButton(); }
  // The open options sheet (null when none is open), for whoever looks at it.
  HWND OptionsSheetWindow() const { return options_.OpenSheet(); }

  // The children, for whoever needs to look at them (tests, menus placed at the button).
  HWND ButtonsToolbar() const { return children_.ButtonsToolbar(); }
  HWND SwitchToolbar() const { return children_.SwitchToolbar(); }
  HWND Tooltip() const { return children_.Tooltip(); }
  HWND ClockPanelWindow() const { return children_.ClockPanelWindow(); }
  // What OLE calls when something is dropped on the bar (tests drop through it).
  IDropTarget* DropTarget() const { return drop_.Target(); }
  bool DropMarkerShown() const { return drop_.MarkerShown(); }

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override {}      // Enter does not close the bar
  void OnCancel() override {}  // nor does Escape
  bool OnCommand(int id, int code, HWND control) override;
  LRESULT OnNotify(NMHDR* hdr) override;
  bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, INT_PTR& result) override;

 private:
  // BarSwitchHost
  int BarCount() override;
  std::optional<HomeBarOptions> HomeBar() override;
  void ShowDisplayedBar() override;
  void LaunchButton(int bar, int commandId) override;
  void StartHomeTimer(int milliseconds) override;
  void StopHomeTimer() override;

  int DisplayedOrNone() { return switcher_.HasDisplayedBar() ? switcher_.Displayed() : -1; }
  static HICON ProgramIcon();
  void SetWindowIcons();
  void Paint(HDC dc);
  // The start's steps on this window (see BarStartup).
  BarStartup::Steps StartupSteps();
  void RunRestOfStart();
  // Messages the bar acts on while the dialog's default handling runs as
  // well; true when `msg` was one.
  bool OnWatchedMessage(UINT msg, WPARAM wp, LPARAM lp);
  void OnPaint();
  void OnTimer(WPARAM id);
  bool OnDeviceChange(WPARAM wp, LPARAM lp);
  void OnDestroy();
  // Messages that are not the dialog's own: the appbar's and tray icon's
  // notifications and the shell's new taskbar. True when `msg` was one.
  bool OnRegisteredMessage(UINT msg, WPARAM wp, LPARAM lp);
  void RejoinShell();
  void OnDisplayChanged();
  // The display scale changed (or the bar moved to a screen of another
  // scale): everything is measured and built again at `dpi` and the bar docks
  // again, its rectangle worked out anew rather than the one suggested.
  void OnDpiChanged(int dpi);
  void CompleteDock();
  void OnQueryEndSession();
  void OnEndSession(bool ending);
  // Writes what the user confirmed: while the options sheet is open the record
  // as it found it, while the buttons manager is open the bar shown at its
  // last save, not what their unfinished edits hold.
  void WriteConfirmedSettings();
  // Another start of the program handed over to this one (the appbar
  // notification message with its own code): the bar comes forward and an
  // autohidden bar stays out for a moment. True when `msg` was that.
  bool OnAnotherStart(UINT msg, WPARAM wp, INT_PTR& result);
  void EndForwardHold();
  // Posted after a launch from the buttons toolbar: the return to the home bar.
  static constexpr UINT kReturnAfterLaunchMessage = WM_APP + 0x140;
  void LaunchFromToolbar(int commandId);
  // The commands of the menus.
  bool OnMenuCommand(int id);
  // One dialog of the bar at a time: when one is open (the bar's own, a
  // question, the clock panel's calendar), it is brought to the front and
  // true returned; whatever asked for another one then does nothing.
  bool BringOpenDialogForward();
  // With the button at `buttonPosition` of the displayed bar selected.
  void OpenButtonsManager(int buttonPosition = 0);
  void OpenOptions();
  void ShowAbout();
  void ShowCalendar();
  void ShowHelpContents();
  void OpenWebPage();
  void AddFrontProgram();
  void ShowOverflowMenu();
  // "Earlier copies...": refused with a message while the buttons manager is
  // open; after a restore the bar shows the bars read again.
  void OpenEarlierCopies();
  void OnExit();
  // A right click or the menu key: over a button of the bar the menu ends
  // with what can be done with that button, which is kept for its commands.
  void OnContextMenu(HWND from, LPARAM lp);
  // The item of the shown bar the request was over (under the mouse, as a
  // drag finds it, or the keyboard's highlight), with its screen rectangle.
  std::optional<DropItemPlace> ItemOfMenu(POINT screenPoint, bool fromKeyboard) const;
  // The bar's menu with the own submenu of the shown bar's button at
  // `position` (`rect` its place on the screen); false when there is none.
  bool ShowMenuOfButton(int position, POINT at, bool fromKeyboard, const RECT& rect);
  void OnButtonMenuCommand(int id);
  void RemoveMenuButton();
  // The button the last menu was opened over while it is still at its place
  // in its bar (and, with `displayed`, that bar is still the one shown); else null.
  const CD* MenuButtonNow(bool displayed) const;
  struct MenuButtonPlace {
    int bar = -1;
    int position = -1;
    const CD* identity = nullptr;  // compared, never read through
  };
  MenuButtonPlace menuButton_;
  // Leaves the shell's appbars and writes the settings: before the window is
  // destroyed, and when Windows ends the logon.
  void ReleaseAndSave();

  Settings& settings_;
  CDB& db_;
  MessageTexts& texts_;
  ButtonIconCache* icons_;
  BarHost& host_;

  BarChildren children_;
  BarAppBarAdapter adapter_;
  ShellAppBar shell_;
  AppBarController appBar_;
  DialogCount held_;   // dialogs, menus and drags that keep an autohide bar out
  DialogCount modal_;  // the modal dialogs and questions the bar's commands opened
  DialogCount manager_;  // the buttons manager is open
  BarSwitcher switcher_;
  BarDrop drop_;
  bool docked_ = false;  // initialisation got past docking
  // The first frame, then the rest of the start, and the background checks
  // of removable and network targets and icons it begins.
  BarStartup startup_;
  UniqueBrush background_;
  BarMenus menus_;
  TrayIcon tray_;
  OptionsSheet options_;
  BarRunningPrograms running_{settings_, db_};
  BarKeyboard keyboard_{{[this] { return Hwnd(); }, [this] { return ButtonsToolbar(); }, [this] { return SwitchToolbar(); },
                         [this] { return IsLeftOrRightEdge(Edge()); }, [this] { appBar_.Slide(true); },
                         held_, [this] { children_.ShowDigitTips([this](int i) { return keyboard_.DigitShown(i); }); },
                         [this] { return children_.ChevronToolbar(); }, [this] { return children_.ShownItems(); }}};
  // A button dragged along the bar, or onto another bar; not while a dialog of the bar is open.
  BarButtonDrag drag_{{settings_, db_, children_, drop_, held_, [this] { return DisplayedOrNone(); },
                       [this] { return modal_.Open(); }, [this] { appBar_.Slide(true); },
                       [this] { return SwitchCommandBar(menus_.ShowBarSwitchMenu(true)); },
                       [this](int position) {
                         ShowDisplayedBar();
                         keyboard_.HighlightSource(position);
                       }}};
  // Registers the hot key the settings hold; `tell`: a refusal is reported.
  void ApplyHotKey(bool tell);

  const Settings* optionsConfirmed_ = nullptr;  // while the options sheet is open
  std::optional<int> managerSavedBar_;           // while the buttons manager is open
  bool forwardHeld_ = false;                     // out for a moment after another start
};
