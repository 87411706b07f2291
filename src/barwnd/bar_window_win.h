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

#include "app/settings.h"
#include "barwnd/appbar_controller.h"
#include "barwnd/appbar_shell_win.h"
#include "barwnd/bar_appbar_win.h"
#include "barwnd/bar_children_win.h"
#include "barwnd/bar_host.h"
#include "barwnd/bar_switcher.h"
#include "platform/handles_win.h"
#include "platform/window_win.h"

class CDB;
class MessageTexts;

class BarWindow : public Dialog, private BarSwitchHost {
 public:
  static constexpr int kButtonsToolbarId = BarChildren::kButtonsToolbarId;
  static constexpr int kSwitchToolbarId = BarChildren::kSwitchToolbarId;

  BarWindow(Settings& settings, CDB& db, MessageTexts& texts, BarHost& host);
  ~BarWindow() override;

  int Edge() const { return appBar_.State().edge; }
  bool AutoHide() const { return appBar_.State().autoHide; }
  bool AlwaysOnTop() const { return appBar_.State().alwaysOnTop; }
  bool Shown() const { return appBar_.State().shown; }
  int DisplayedBar() const { return switcher_.Displayed(); }
  // The edge, autohide and always-on-top values the settings file gets.
  LiveViewValues LiveValues() const;
  // The buttons manager chooses the displayed bar itself; call RebuildButtons after.
  void SetDisplayedBar(int index) { switcher_.SetDisplayed(index); }
  // While a dialog or menu of the bar is open, an autohide bar never collapses.
  void SetDialogOpen(bool open) { appBar_.SetDialogOpen(open); }

  // What the options pages and the buttons manager ask of the bar.
  void RebuildButtons() { children_.RebuildButtons(); }
  void RebuildSwitchButton() { children_.RebuildSwitchButton(); }
  void ApplyOptions();
  void RedockAfterOptions();
  void RebuildAll();
  void ReactivateTooltips() { children_.ReactivateTooltips(); }
  void RebuildBackground();

  // The children, for whoever needs to look at them (tests, menus placed at the button).
  HWND ButtonsToolbar() const { return children_.ButtonsToolbar(); }
  HWND SwitchToolbar() const { return children_.SwitchToolbar(); }
  HWND Tooltip() const { return children_.Tooltip(); }
  HWND ClockPanelWindow() const { return children_.ClockPanelWindow(); }

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
  void RepaintAll();
  void OnTimer(WPARAM id);
  void ShowContextMenu(POINT screenPoint);
  void ShowBarSwitchMenu();
  void OpenButtonsManager();
  void OnExit();
  // Leaves the shell's appbars and writes the settings: before the window is
  // destroyed, and when Windows ends the logon.
  void ReleaseAndSave();

  Settings& settings_;
  CDB& db_;
  MessageTexts& texts_;
  BarHost& host_;

  BarChildren children_;
  BarAppBarAdapter adapter_;
  ShellAppBar shell_;
  AppBarController appBar_;
  BarSwitcher switcher_;
  bool docked_ = false;  // initialisation got past docking
  UniqueBrush background_;
};
