#include "barwnd/window/bar_children_win.h"

#include <commctrl.h>

#include <vector>

#include "core/settings.h"
#include "barwnd/window/bar_commands.h"
#include "barwnd/window/bar_geometry.h"
#include "barwnd/dock/screen_edge.h"
#include "clock/clock_panel_win.h"
#include "db/cdb.h"
#include "icons/icon_cache_win.h"
#include "platform/display_scale_win.h"
#include "platform/geometry_win.h"
#include "platform/window_win.h"
#include "resource.h"

namespace {

Size DialogFrame(int dpi) { return {MetricAt(SM_CXDLGFRAME, dpi), MetricAt(SM_CYDLGFRAME, dpi)}; }

// An image list of one size holding one icon resource.
UniqueImageList LoadIconList(int resource, int size) {
  UniqueImageList list(::ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 1, 1));
  UniqueIcon icon(static_cast<HICON>(
      ::LoadImageA(ResourceModule(), MAKEINTRESOURCEA(resource), IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
  if (!list || !icon || AppendIconImage(list.Get(), icon.Get(), size) != 0) return {};
  return list;
}

std::vector<BarButtonEntry> EntriesOf(const CBar& bar) {
  std::vector<BarButtonEntry> entries;
  for (int32_t i = 0; i < bar.Count(); ++i) {
    const CD* button = bar.At(i);
    entries.push_back({button->IsSeparator != 0, button->Available != 0, button->CommandId, button->ImageIndex,
                       button->Name});
  }
  return entries;
}

std::vector<TBBUTTON> ToolbarButtonsOf(const ToolbarPlan& plan, int dpi) {
  std::vector<TBBUTTON> buttons;
  for (const ToolbarItem& item : plan.items) {
    TBBUTTON button = {};
    const BYTE wrap = item.wrap ? TBSTATE_WRAP : 0;
    if (item.separator) {
      button.iBitmap = SeparatorWidthAt(dpi);
      button.fsStyle = TBSTYLE_SEP;
      button.fsState = wrap;
    } else {
      button.iBitmap = item.imageIndex;
      button.idCommand = item.commandId;
      button.fsStyle = TBSTYLE_BUTTON;
      button.fsState = TBSTATE_ENABLED | wrap;
    }
    button.dwData = item.source;  // the keyboard finds a button's place in its bar again

    buttons.push_back(button);
  }
  return buttons;
}

void Move(HWND hwnd, const Rect& r) {
  if (hwnd) ::SetWindowPos(hwnd, nullptr, r.left, r.top, r.Width(), r.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

Size CurrentButtonSize(const Settings& settings, int dpi) {
  return ToolbarButtonSize(IconSize(settings.LargeIcon != 0, dpi), dpi);
}

BarChildren::BarChildren(const Settings& settings, CDB& db, MessageTexts& texts, ButtonIconCache* icons,
                         std::function<int()> edge, std::function<int()> displayedBar,
                         std::function<LocalTime()> clock)
    : settings_(settings),
      db_(db),
      texts_(texts),
      edge_(std::move(edge)),
      displayedBar_(std::move(displayedBar)),
      clock_(clock ? std::move(clock) : std::function<LocalTime()>(ReadLocalTime)),
      buttonImages_(icons) {}

BarChildren::~BarChildren() = default;

void BarChildren::SetBar(HWND bar) {
  bar_ = bar;
  if (bar_) SetDpi(WindowDpi(bar_));
}

void BarChildren::SetDpi(int dpi) {
  scale_ = {dpi > 0 ? dpi : kBaseDpi};
  if (panel_) panel_->SetDpi(scale_.dpi);
}

Size BarChildren::ButtonSize() const { return CurrentButtonSize(settings_, scale_.dpi); }

int BarChildren::Thickness(int edge) const {
  return BarThickness(edge, IconSize(settings_.LargeIcon != 0, scale_.dpi), PanelSize(edge), DialogFrame(scale_.dpi),
                      scale_.dpi);
}

BarToolbar::Look BarChildren::LookWith(HIMAGELIST images, Size image, Size button) const {
  BarToolbar::Look look;
  look.flat = settings_.FlatButtons != 0;
  look.background = static_cast<COLORREF>(settings_.ColorBk);
  look.images = images;
  look.image = image;
  look.button = button;
  return look;
}

// The layout asks the panel for its size (GetRect reads the clock and
// measures the texts in the panel's font); the panel is painted anew.
void BarChildren::Remeasure() {
  LayOut();
  RepaintPanel();
}

HWND BarChildren::ClockPanelWindow() const { return panel_ ? panel_->Hwnd() : nullptr; }

bool BarChildren::MatchClockPanelToSettings() {
  const bool wanted = WantsClockPanel(settings_.ShowBlock != 0, settings_.ShowCal != 0, settings_.ShowClock != 0);
  if (wanted == (panel_ != nullptr)) return false;
  if (!wanted) {
    panel_.reset();
    return true;
  }
  auto panel = std::make_unique<ClockPanel>(settings_, texts_, edge_, clock_);
  panel->SetDpi(scale_.dpi);
  RECT size = panel->GetRect(edge_());
  // The panel is framed as sunk into the bar, from its creation on.
  if (!panel->Create(bar_, size, WS_EX_CLIENTEDGE)) return false;
  panel_ = std::move(panel);
  panel_->WatchLength([this](int length) { OnPanelTick(length); });
  LayOut();
  return true;
}

void BarChildren::OnPanelTick(int length) {
  if (length == laidOutPanelLength_) return;
  LayOut();
  // The logo stands beside the panel; the bar's own area is painted again
  // (its children are left out of that painting).
  if (bar_) ::InvalidateRect(bar_, nullptr, TRUE);
}

void BarChildren::RepaintPanel() {
  if (panel_) ::InvalidateRect(panel_->Hwnd(), nullptr, FALSE);
}

void BarChildren::ClockChanged() {
  if (panel_) panel_->ClockChanged();
}

Size BarChildren::PanelSize(int edge) const {
  if (!panel_) return {};
  RECT r = panel_->GetRect(edge);
  return {r.right - r.left, r.bottom - r.top};
}

ChildLayoutInput BarChildren::LayoutInput(int edge) const {
  const Rect window = WindowRectOf(bar_);
  ChildLayoutInput in;
  in.edge = edge;
  in.thickness = Thickness(edge);
  in.windowLength = IsLeftOrRightEdge(edge) ? window.Height() : window.Width();
  in.dialogFrame = DialogFrame(scale_.dpi);
  in.dpi = scale_.dpi;
  in.posLeft = settings_.PosLeft != 0;
  if (panel_) in.panel = PanelSize(edge);
  in.button = ButtonSize();
  return in;
}

// The toolbar's window is as long as the items that fit: the others stand
// beyond it, out of sight, and the chevron offers them.
void BarChildren::LayOut() {
  if (!bar_) return;
  const int edge = edge_();
  const bool vertical = IsLeftOrRightEdge(edge);
  ChildLayoutInput in = LayoutInput(edge);
  laidOutPanelLength_ = in.panel ? (vertical ? in.panel->cy : in.panel->cx) : 0;
  fit_ = FitToolbar(spans_, ToolbarRoom(in), ChevronLength(in.button, vertical, scale_.dpi));
  if (fit_.shown > 0) {
    const int across = vertical ? plan_.size.cx : plan_.size.cy;
    in.toolbar = vertical ? Size{across, fit_.length} : Size{fit_.length, across};
  }
  if (fit_.chevron) {
    const int length = ChevronLength(in.button, vertical, scale_.dpi);
    in.chevron = vertical ? Size{in.button.cx, length} : Size{length, in.button.cy};
  }
  const ChildLayout layout = LayOutChildren(in);
  if (panel_ && layout.panel) Move(panel_->Hwnd(), *layout.panel);
  Move(SwitchToolbar(), layout.switchButton);
  Move(ButtonsToolbar(), layout.toolbar);
  if (chevron_) {
    if (layout.chevron) chevron_->Place(*layout.chevron);
    ::ShowWindow(chevron_->Hwnd(), layout.chevron ? SW_SHOWNA : SW_HIDE);
  }
}

void BarChildren::RebuildButtons() {
  RemoveButtonTools();
  buttonsToolbar_.reset();
  plan_ = {};
  spans_.clear();
  firstCaption_.clear();

  // A button whose icon cannot be found is drawn without an image; only lists
  // that cannot be made at all leave the bar without its toolbar.
  const int displayed = displayedBar_();
  const bool large = settings_.LargeIcon != 0;
  CBar* bar = db_.Bar(displayed);
  if (bar && buttonImages_.Build(db_, displayed, large, IconSidesAt(scale_.dpi))) {
    ToolbarPlan plan = PlanToolbar(EntriesOf(*bar), edge_(), ButtonSize(), scale_.dpi);
    auto toolbar = std::make_unique<BarToolbar>();
    const Size image = IconSize(large, scale_.dpi);
    if (!plan.items.empty() && toolbar->Create(bar_, kButtonsToolbarId,
                                               LookWith(buttonImages_.ForIconSize(large), image, ButtonSize()),
                                               ToolbarButtonsOf(plan, scale_.dpi))) {
      for (const ToolbarItem& item : plan.items) {
        if (item.separator) continue;
        firstCaption_ = item.name;
        break;
      }
      AddButtonTools(*toolbar, plan);
      toolbar->Watch(buttonsWatcher_);
      buttonsToolbar_ = std::move(toolbar);
      plan_ = std::move(plan);
      spans_ = MeasureSpans();
    }
  }
  // The chevron is shaped for the edge and the button size of this build.
  RebuildChevron();
  LayOut();
  if (buttonsRebuilt_) buttonsRebuilt_();
}

void BarChildren::RebuildSwitchButton() {
  if (switchToolbar_) tooltip_.RemoveTool(switchToolbar_->Hwnd(), kCmdBarSwitch);
  switchToolbar_.reset();
  // Only the size shown: a change of the icon size builds the button again.
  const Size image = IconSize(settings_.LargeIcon != 0, scale_.dpi);
  switchImages_ = LoadIconList(IDI_BARSWITCH, image.cx);
  if (!switchImages_) return;

  TBBUTTON button = {};
  button.iBitmap = 0;
  button.idCommand = kCmdBarSwitch;
  button.fsState = TBSTATE_ENABLED;
  button.fsStyle = TBSTYLE_BUTTON;
  auto toolbar = std::make_unique<BarToolbar>();
  if (!toolbar->Create(bar_, kSwitchToolbarId, LookWith(switchImages_.Get(), image, ButtonSize()), {button}))
    return;
  switchToolbar_ = std::move(toolbar);
  LayOut();
  AddSwitchTool();
}
