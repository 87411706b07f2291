// The bar window: the program's main window, a dialog docked along a screen edge
// as a shell appbar. Its modal loop is the program's only message loop.
//
// It holds, along the bar, the clock panel, the bar-switch button and the
// toolbar of the displayed bar's buttons. Docking, autohide and the slide are
// decided by AppBarController, the displayed bar and the home-bar return by
// BarSwitcher; this class gathers the Windows input for them and applies what
// they decide.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "barwnd/appbar_controller.h"
#include "barwnd/appbar_shell_win.h"
#include "barwnd/bar_switcher.h"
#include "barwnd/bar_toolbar_win.h"
#include "barwnd/bar_tooltip_win.h"
#include "barwnd/toolbar_plan.h"
#include "db/image_list_win.h"
#include "platform/handles_win.h"
#include "platform/window_win.h"

class ClockPanel;

class BarWindow : public Dialog, private AppBarWindow, private BarSwitchHost {
 public:
  // The standard control id of a framework toolbar, which the buttons toolbar carries.
  static constexpr int kButtonsToolbarId = 0xE800;
  static constexpr int kSwitchToolbarId = 0xE801;

  BarWindow();
  ~BarWindow() override;

  int Edge() const { return appBar_.State().edge; }
  bool AutoHide() const { return appBar_.State().autoHide; }
  bool AlwaysOnTop() const { return appBar_.State().alwaysOnTop; }
  bool Shown() const { return appBar_.State().shown; }
  int DisplayedBar() const { return switcher_.Displayed(); }
  // The buttons manager chooses the displayed bar itself; call RebuildButtons after.
  void SetDisplayedBar(int index) { switcher_.SetDisplayed(index); }
  // While a dialog or menu of the bar is open, an autohide bar never collapses.
  void SetDialogOpen(bool open) { appBar_.SetDialogOpen(open); }

  // What the options pages and the buttons manager ask of the bar.
  void RebuildButtons() override;
  void RebuildSwitchButton();
  void ApplyOptions();
  void RedockAfterOptions();
  void RebuildAll();
  void ReactivateTooltips();
  void RebuildBackground();

  // The children, for whoever needs to look at them (tests, menus placed at the button).
  HWND ButtonsToolbar() const { return buttonsToolbar_ ? buttonsToolbar_->Hwnd() : nullptr; }
  HWND SwitchToolbar() const { return switchToolbar_ ? switchToolbar_->Hwnd() : nullptr; }
  HWND Tooltip() const { return tooltip_.Hwnd(); }
  HWND ClockPanelWindow() const;

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override {}      // Enter does not close the bar
  void OnCancel() override {}  // nor does Escape
  bool OnCommand(int id, int code, HWND control) override;
  LRESULT OnNotify(NMHDR* hdr) override;
  bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, INT_PTR& result) override;

 private:
  // AppBarWindow
  Size PrimaryScreenSize() override;
  int BarThickness(int edge) override;
  Rect ScreenRect() override;
  void Place(const Rect& rect, bool topmost, Activation activation) override;
  void SetTopmost(bool topmost) override;
  void UpdateNow() override;
  uint32_t TickCount() override { return ::GetTickCount(); }
  bool Smoothly() override;
  void StartAutoHideTimer() override;
  void StopAutoHideTimer() override;
  void ShowMessage(int id) override;

  // BarSwitchHost
  int BarCount() override;
  std::optional<HomeBarOptions> HomeBar() override;
  void ShowDisplayedBar() override;
  void LaunchButton(int bar, int commandId) override;
  void StartHomeTimer(int milliseconds) override;
  void StopHomeTimer() override;

  // The panel follows ShowBlock, ShowCal and ShowClock; true when it changed.
  bool MatchClockPanelToSettings();
  Size PanelSize(int edge) const;
  void LayOut();
  void RemoveButtonTools();
  void Paint();
  void RepaintAll();
  void OnMouseOverBar();
  void ShowContextMenu(POINT screenPoint);
  void ShowBarSwitchMenu();
  void OpenButtonsManager();
  void OnExit();
  // Leaves the shell's appbars and writes the settings: before the window is
  // destroyed, and when Windows ends the logon.
  void ReleaseAndSave();

  ShellAppBar shell_;
  AppBarController appBar_;
  BarSwitcher switcher_;
  bool docked_ = false;  // initialisation got past docking

  UniqueBrush background_;
  std::unique_ptr<ClockPanel> panel_;
  BarTooltip tooltip_;

  // Image lists first: the toolbars that show them go before them.
  ButtonImageLists buttonImages_;
  std::unique_ptr<BarToolbar> buttonsToolbar_;
  ToolbarPlan plan_;
  std::string firstCaption_;  // the first launch button's caption, for its tooltip tool

  UniqueImageList switchSmall_;
  UniqueImageList switchLarge_;
  std::unique_ptr<BarToolbar> switchToolbar_;
};
