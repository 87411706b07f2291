#include "barwnd/window/bar_children_win.h"

#include <commctrl.h>

#include <vector>

#include "core/message_texts.h"
#include "core/settings.h"
#include "barwnd/window/bar_commands.h"
#include "barwnd/window/bar_geometry.h"
#include "barwnd/window/bar_switcher.h"
#include "barwnd/dock/screen_edge.h"
#include "clock/clock_panel_win.h"
#include "db/cdb.h"
#include "icons/icon_cache_win.h"
#include "platform/display_scale_win.h"
#include "platform/geometry_win.h"
#include "platform/text_win.h"
#include "platform/window_win.h"
#include "resource.h"
#include "core/message_ids.h"

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

BarToolbar::Look ToolbarLook(const Settings& settings, HIMAGELIST images, int dpi) {
  BarToolbar::Look look;
  look.flat = settings.FlatButtons != 0;
  look.background = static_cast<COLORREF>(settings.ColorBk);
  look.images = images;
  look.image = IconSize(settings.LargeIcon != 0, dpi);
  look.button = ToolbarButtonSize(look.image, dpi);
  return look;
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

// Where the control really put an item. On left and right bars it draws a
// wrapped separator as a gap of its own height, not the planned 12 pixels, and
// a tip must cover the button the mouse is over.
Rect ItemRect(const BarToolbar& toolbar, std::size_t index, const Rect& planned) {
  RECT r = {};
  if (!::SendMessageA(toolbar.Hwnd(), TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r))) return planned;
  return ToRect(r);
}

// A tip for each launch button on the toolbar, with the caption the plan kept.
void AddButtonTools(BarTooltip& tooltip, const BarToolbar& toolbar, const ToolbarPlan& plan) {
  for (std::size_t i = 0; i < plan.items.size(); ++i) {
    const ToolbarItem& item = plan.items[i];
    if (item.separator) continue;
    tooltip.AddTool(toolbar.Hwnd(), static_cast<UINT>(item.commandId), ItemRect(toolbar, i, item.rect), item.name);
  }
}

// The bar-switch button's tip asks for its text when shown: the displayed bar's name.
void AddSwitchTool(BarTooltip& tooltip, const BarToolbar& toolbar, Size button) {
  tooltip.AddCallbackTool(toolbar.Hwnd(), kCmdBarSwitch, Rect{0, 0, button.cx, button.cy});
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

// The layout asks the panel for its size (GetRect reads the clock and
// measures the texts in the panel's font); the panel is painted anew.
void BarChildren::Remeasure() {
  LayOut();
  RepaintPanel();
}

bool BarChildren::CreateTooltip() {
  if (!tooltip_.Create(scale_.dpi)) return false;
  // The tooltip comes after the bar's first paint: the buttons already on the
  // bar get their tips now.
  if (buttonsToolbar_) AddButtonTools(tooltip_, *buttonsToolbar_, plan_);
  if (switchToolbar_) AddSwitchTool(tooltip_, *switchToolbar_, ButtonSize());
  return true;
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

Size BarChildren::PanelSize(int edge) const {
  if (!panel_) return {};
  RECT r = panel_->GetRect(edge);
  return {r.right - r.left, r.bottom - r.top};
}

void BarChildren::LayOut() {
  if (!bar_) return;
  const int edge = edge_();
  const Rect window = WindowRectOf(bar_);
  const Size panel = PanelSize(edge);
  ChildLayoutInput in;
  in.edge = edge;
  in.thickness = Thickness(edge);
  in.windowLength = IsLeftOrRightEdge(edge) ? window.Height() : window.Width();
  in.dialogFrame = DialogFrame(scale_.dpi);
  in.dpi = scale_.dpi;
  in.posLeft = settings_.PosLeft != 0;
  if (panel_) in.panel = panel;
  laidOutPanelLength_ = IsLeftOrRightEdge(edge) ? panel.cy : panel.cx;
  in.button = ButtonSize();
  in.toolbar = plan_.size;
  const ChildLayout layout = LayOutChildren(in);
  if (panel_ && layout.panel) Move(panel_->Hwnd(), *layout.panel);
  Move(SwitchToolbar(), layout.switchButton);
  Move(ButtonsToolbar(), layout.toolbar);
}

void BarChildren::RemoveButtonTools() {
  if (!buttonsToolbar_) return;
  for (const ToolbarItem& item : plan_.items) {
    if (!item.separator) tooltip_.RemoveTool(buttonsToolbar_->Hwnd(), static_cast<UINT>(item.commandId));
  }
}

void BarChildren::RebuildButtons() {
  RemoveButtonTools();
  buttonsToolbar_.reset();
  plan_ = {};
  firstCaption_.clear();

  // A button whose icon cannot be found is drawn without an image; only lists
  // that cannot be made at all leave the bar without its toolbar.
  const int displayed = displayedBar_();
  const bool large = settings_.LargeIcon != 0;
  CBar* bar = db_.Bar(displayed);
  if (bar && buttonImages_.Build(db_, displayed, large, IconSidesAt(scale_.dpi))) {
    ToolbarPlan plan = PlanToolbar(EntriesOf(*bar), edge_(), ButtonSize(), scale_.dpi);
    auto toolbar = std::make_unique<BarToolbar>();
    if (!plan.items.empty() && toolbar->Create(bar_, kButtonsToolbarId,
                                               ToolbarLook(settings_, buttonImages_.ForIconSize(large), scale_.dpi),
                                               ToolbarButtonsOf(plan, scale_.dpi))) {
      for (const ToolbarItem& item : plan.items) {
        if (item.separator) continue;
        firstCaption_ = item.name;
        break;
      }
      AddButtonTools(tooltip_, *toolbar, plan);
      buttonsToolbar_ = std::move(toolbar);
      plan_ = std::move(plan);
    }
  }
  LayOut();
  if (buttonsRebuilt_) buttonsRebuilt_();
}

void BarChildren::RebuildSwitchButton() {
  if (switchToolbar_) tooltip_.RemoveTool(switchToolbar_->Hwnd(), kCmdBarSwitch);
  switchToolbar_.reset();
  // Only the size shown: a change of the icon size builds the button again.
  const bool large = settings_.LargeIcon != 0;
  switchImages_ = LoadIconList(IDI_BARSWITCH, IconSize(large, scale_.dpi).cx);
  if (!switchImages_) return;

  TBBUTTON button = {};
  button.iBitmap = 0;
  button.idCommand = kCmdBarSwitch;
  button.fsState = TBSTATE_ENABLED;
  button.fsStyle = TBSTYLE_BUTTON;
  auto toolbar = std::make_unique<BarToolbar>();
  if (!toolbar->Create(bar_, kSwitchToolbarId, ToolbarLook(settings_, switchImages_.Get(), scale_.dpi), {button}))
    return;
  switchToolbar_ = std::move(toolbar);
  LayOut();
  AddSwitchTool(tooltip_, *switchToolbar_, ButtonSize());
}

void BarChildren::ReactivateTooltips() { tooltip_.Activate(settings_.UseToolTips != 0); }

void BarChildren::OnMouseOverBar() {
  if (!buttonsToolbar_ || firstCaption_.empty()) return;
  for (const ToolbarItem& item : plan_.items) {
    if (item.separator) continue;
    tooltip_.UpdateText(buttonsToolbar_->Hwnd(), static_cast<UINT>(item.commandId), firstCaption_);
    break;
  }
}

void BarChildren::ShowDigitTips(const std::function<int(int index)>& digitOf) {
  if (!buttonsToolbar_) return;
  for (std::size_t i = 0; i < plan_.items.size(); ++i) {
    const ToolbarItem& item = plan_.items[i];
    if (item.separator) continue;
    const int digit = digitOf(static_cast<int>(i));
    tooltip_.UpdateText(buttonsToolbar_->Hwnd(), static_cast<UINT>(item.commandId),
                        digit >= 0 ? std::to_string(digit) + ": " + item.name : item.name);
  }
}

void BarChildren::OnTooltipText(NMHDR* hdr) {
  ::SendMessageA(hdr->hwndFrom, TTM_SETMAXTIPWIDTH, 0, ScalePx(BarTooltip::kMaxTipWidth, scale_.dpi));
  if (hdr->idFrom != kCmdBarSwitch) return;
  const CBar* bar = db_.Bar(displayedBar_());
  const std::string text = SwitchButtonTipText(bar ? &bar->Name : nullptr, texts_.Text(kMsgEmptyBar));
  if (hdr->code == TTN_GETDISPINFOA) {
    auto* info = reinterpret_cast<NMTTDISPINFOA*>(hdr);
    lstrcpynA(info->szText, text.c_str(), sizeof(info->szText));
    info->lpszText = info->szText;
    info->hinst = nullptr;
  } else {
    auto* info = reinterpret_cast<NMTTDISPINFOW*>(hdr);
    CopyWideFromAnsi(text, info->szText, static_cast<int>(sizeof(info->szText) / sizeof(info->szText[0])));
    info->lpszText = info->szText;
    info->hinst = nullptr;
  }
}
