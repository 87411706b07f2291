// The bar window's children: the clock panel, the bar-switch button, the
// toolbar of the displayed bar's buttons with its image lists, and the one
// tooltip control over them; and where each of them goes on the bar.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "barwnd/window/bar_geometry.h"
#include "barwnd/window/bar_toolbar_win.h"
#include "barwnd/window/bar_tooltip_win.h"
#include "barwnd/window/toolbar_overflow.h"
#include "barwnd/window/toolbar_plan.h"
#include "clock/clock_text.h"
#include "icons/image_list_win.h"
#include "platform/display_scale.h"
#include "platform/geometry.h"
#include "platform/handles_win.h"

class ButtonIconCache;
class CBar;
class CDB;
class ClockPanel;
class MessageTexts;
struct Settings;

class BarChildren {
 public:
  // The standard control id of a framework toolbar, which the buttons toolbar carries.
  static constexpr int kButtonsToolbarId = 0xE800;
  static constexpr int kSwitchToolbarId = 0xE801;
  static constexpr int kChevronToolbarId = 0xE802;

  // `icons` is the icon cache the buttons' images come from (null: from the
  // shell); `edge` tells the bar's current edge; `displayedBar` the ordinal of
  // the displayed bar, -1 for none; `clock` is what the clock panel reads (the
  // system's local time when empty).
  BarChildren(const Settings& settings, CDB& db, MessageTexts& texts, ButtonIconCache* icons,
              std::function<int()> edge, std::function<int()> displayedBar, std::function<LocalTime()> clock = {});
  ~BarChildren();
  BarChildren(const BarChildren&) = delete;
  BarChildren& operator=(const BarChildren&) = delete;

  // The bar window; its DPI is taken as the children's scale.
  void SetBar(HWND bar);
  // The DPI the children are measured and laid out at: the bar window's when
  // it was made, then the one each display-scale change names. Takes effect
  // at the next measure, rebuild and layout. The clock panel is told too: a
  // child window's own DPI may not follow at once.
  void SetDpi(int dpi);
  int Dpi() const { return scale_.dpi; }
  // The toolbar button size at the current icon size and DPI (the bar-switch
  // button has it too).
  Size ButtonSize() const;
  // The bar's thickness on `edge` at the current DPI.
  int Thickness(int edge) const;
  // The clock panel measures itself again (its fonts follow the display
  // scale), then the bar is laid out again.
  void Remeasure();
  bool CreateTooltip();

  // The panel follows ShowBlock, ShowCal and ShowClock; true when it changed.
  bool MatchClockPanelToSettings();
  void RepaintPanel();
  // The system's clock or time formats changed (the bar window is told, its
  // children are not): the panel shows the new time at once.
  void ClockChanged();
  Size PanelSize(int edge) const;
  void LayOut();
  void RebuildButtons();
  // Told after every rebuild of the buttons toolbar (whoever asked for it).
  void WatchButtonsRebuilt(std::function<void()> rebuilt) { buttonsRebuilt_ = std::move(rebuilt); }
  // Sees the messages of every buttons toolbar built from now on first.
  void WatchButtonsMessages(BarToolbar::Watcher watcher) { buttonsWatcher_ = std::move(watcher); }
  void RebuildSwitchButton();
  void ReactivateTooltips();
  // The mouse moved over the bar itself: the first button's tip text is renewed.
  void OnMouseOverBar();
  // The buttons' tips with the digit `digitOf` gives a toolbar index (-1: none)
  // in front of their names, while the bar has the keyboard. The names are the
  // plan's: the model may have changed since the toolbar was built.
  void ShowDigitTips(const std::function<int(int index)>& digitOf);
  // TTN_GETDISPINFO: the bar-switch button's tip names the displayed bar.
  void OnTooltipText(NMHDR* hdr);

  HWND ButtonsToolbar() const { return buttonsToolbar_ ? buttonsToolbar_->Hwnd() : nullptr; }
  HWND SwitchToolbar() const { return switchToolbar_ ? switchToolbar_->Hwnd() : nullptr; }
  HWND Tooltip() const { return tooltip_.Hwnd(); }
  HWND ClockPanelWindow() const;

  // The chevron: shown at the bar's far end while some items of the buttons
  // toolbar do not fit; those stand beyond the toolbar's window, out of sight.
  HWND ChevronToolbar() const { return chevron_ ? chevron_->Hwnd() : nullptr; }
  bool ChevronShown() const;
  // How many items of the buttons toolbar (separators included) are on show.
  int ShownItems() const { return static_cast<int>(fit_.shown); }
  // The items left off the bar, in bar order.
  std::vector<OverflowItem> OverflowItems() const;
  // NM_CUSTOMDRAW of the chevron's toolbar: the chevron drawn on its button.
  LRESULT OnChevronDraw(NMTBCUSTOMDRAW* draw);
  // The bar's colour for the room around the buttons of every toolbar.
  void SetBackground(COLORREF colour);
  // Where the children stand on the bar (client coordinates): what the logo keeps clear of.
  std::vector<Rect> OccupiedRects() const;

 private:
  void AddButtonTools(const BarToolbar& toolbar, const ToolbarPlan& plan);
  void AddSwitchTool();
  void AddChevronTool();
  void RemoveButtonTools();
  void RebuildChevron();
  // Where the toolbar control put each item, read once it holds them all.
  std::vector<ItemSpan> MeasureSpans() const;
  ChildLayoutInput LayoutInput(int edge) const;
  BarToolbar::Look LookWith(HIMAGELIST images, Size image, Size button) const;
  // A tick of the clock panel: the bar is laid out again when the panel wants
  // another length than it was given, so a grown text is never cut.
  void OnPanelTick(int length);

  const Settings& settings_;
  CDB& db_;
  MessageTexts& texts_;
  std::function<int()> edge_;
  std::function<int()> displayedBar_;
  std::function<LocalTime()> clock_;
  HWND bar_ = nullptr;
  DisplayScale scale_;
  int laidOutPanelLength_ = 0;  // the panel's length along the bar at the last layout

  std::unique_ptr<ClockPanel> panel_;
  BarTooltip tooltip_;

  // Image lists first: the toolbars that show them go before them.
  ButtonImageLists buttonImages_;
  std::unique_ptr<BarToolbar> buttonsToolbar_;
  ToolbarPlan plan_;
  std::string firstCaption_;  // the first launch button's caption, for its tooltip tool
  std::function<void()> buttonsRebuilt_;
  BarToolbar::Watcher buttonsWatcher_;

  UniqueImageList switchImages_;  // the shown size
  std::unique_ptr<BarToolbar> switchToolbar_;

  std::unique_ptr<BarToolbar> chevron_;
  std::vector<ItemSpan> spans_;  // the toolbar's items along the bar
  ToolbarFit fit_;               // what the last layout showed of them
};

// The toolbar button size of the current icon size at `dpi`.
Size CurrentButtonSize(const Settings& settings, int dpi = kBaseDpi);
