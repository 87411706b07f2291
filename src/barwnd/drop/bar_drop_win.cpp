#include "barwnd/drop/bar_drop_win.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>

#include "core/message_texts.h"
#include "barwnd/drop/drop_texts.h"
#include "core/settings.h"
#include "barwnd/dock/appbar_controller.h"
#include "barwnd/window/bar_children_win.h"
#include "barwnd/window/bar_geometry.h"
#include "barwnd/window/dialog_count.h"
#include "barwnd/dock/screen_edge.h"
#include "db/cdb.h"
#include "editing/browse/url_file.h"
#include "platform/geometry_win.h"
#include "platform/profile_win.h"
#include "core/message_box_win.h"

bool ShellDropSystem::IsFolder(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string ShellDropSystem::FolderDisplayName(const std::string& path) {
  SHFILEINFOA info = {};
  if (!::SHGetFileInfoA(path.c_str(), 0, &info, sizeof(info), SHGFI_DISPLAYNAME)) return {};
  return info.szDisplayName;
}

std::optional<std::string> ShellDropSystem::InternetShortcutUrl(const std::string& path) {
  WinProfile file(path);
  return ReadWholeInternetShortcutUrl(file);
}

BarDrop::BarDrop(Parts parts) : parts_(std::move(parts)) { *target_.Put() = new BarDropTarget(*this); }

BarDrop::~BarDrop() {
  Revoke();
  target_->Detach();
}

bool BarDrop::Register(HWND bar) {
  bar_ = bar;
  registered_ = SUCCEEDED(::RegisterDragDrop(bar, target_.Get()));
  return registered_;
}

void BarDrop::Revoke() {
  if (registered_) ::RevokeDragDrop(bar_);
  registered_ = false;
  marker_.Destroy();
}

// Open besides the drag's own hold.
bool BarDrop::Busy() const { return parts_.dialogs.Count() > (hold_.Pending() ? 1 : 0); }

void BarDrop::HoldOut() {
  if (hold_.Pending()) return;
  parts_.appBar.Slide(true);
  hold_ = parts_.dialogs.Hold();
}

void BarDrop::Release() { hold_.End(); }

DropLayout BarDrop::Layout() const {
  DropLayout layout;
  layout.vertical = IsLeftOrRightEdge(parts_.edge());
  const CBar* bar = parts_.db.Bar(parts_.displayedBar());
  layout.count = bar ? bar->Count() : 0;
  if (HWND panel = parts_.children.ClockPanelWindow()) layout.refused.push_back(ChildRectOf(panel, bar_));
  Rect switchButton;
  if (HWND button = parts_.children.SwitchToolbar()) {
    switchButton = ChildRectOf(button, bar_);
    layout.refused.push_back(switchButton);
  }
  const Size buttonSize = parts_.children.ButtonSize();
  const int gap = ChildGapAt(parts_.children.Dpi());
  HWND toolbar = parts_.children.ButtonsToolbar();
  if (!toolbar || !bar) {
    // Where the toolbar's first button will stand, after the bar-switch button.
    const Point first = layout.vertical ? Point{switchButton.left, switchButton.bottom + gap}
                                        : Point{switchButton.right + gap, switchButton.top};
    layout.firstSlot = Rect::FromOriginSize(first, buttonSize);
    return layout;
  }
  const Rect toolbarRect = ChildRectOf(toolbar, bar_);
  layout.firstSlot = Rect::FromOriginSize({toolbarRect.left, toolbarRect.top}, buttonSize);
  // The toolbar shows the available buttons in bar order, hidden ones left out.
  std::vector<int32_t> positions;
  for (int32_t i = 0; i < bar->Count(); ++i) {
    if (bar->At(i)->Available) positions.push_back(i);
  }
  int shown = static_cast<int>(::SendMessageA(toolbar, TB_BUTTONCOUNT, 0, 0));
  if (HWND chevron = parts_.children.ChevronToolbar(); chevron && ::IsWindowVisible(chevron)) {
    // The items the chevron stands for are out of sight: not places to drop between.
    layout.chevron = ChildRectOf(chevron, bar_);
    shown = std::min(shown, parts_.children.ShownItems());
    if (shown < static_cast<int>(positions.size())) layout.firstLeftOff = positions[static_cast<size_t>(shown)];
  }
  for (int i = 0; i < shown && i < static_cast<int>(positions.size()); ++i) {
    RECT r = {};
    if (!::SendMessageA(toolbar, TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r))) continue;
    ::MapWindowPoints(toolbar, bar_, reinterpret_cast<POINT*>(&r), 2);
    layout.items.push_back({positions[static_cast<size_t>(i)], ToRect(r)});
  }
  return layout;
}

std::optional<DropSlot> BarDrop::SlotAt(Point screen) const {
  POINT client = {screen.x, screen.y};
  ::ScreenToClient(bar_, &client);
  return DropSlotAt(Layout(), {client.x, client.y});
}

bool BarDrop::AskAboutMany(std::size_t count) const {
  return ShowProgramMessage(bar_, ManyDroppedItemsQuestion(count), MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void BarDrop::ShowWarning(const std::string& text) const {
  ShowProgramMessage(bar_, text, MB_OK | MB_ICONWARNING);
}

bool BarDrop::DragEntered(bool offered) {
  wanted_ = bar_ && offered && !pending_ && !Busy() && parts_.db.Bar(parts_.displayedBar()) != nullptr;
  if (wanted_) HoldOut();
  return wanted_;
}

bool BarDrop::DraggedOver(Point screen) {
  const std::optional<DropSlot> slot = wanted_ ? SlotAt(screen) : std::nullopt;
  if (!slot) {
    marker_.Hide();
    return false;
  }
  ShowMarker(*slot);
  return true;
}

void BarDrop::ShowMarker(const DropSlot& slot) {
  marker_.Show(bar_, slot.marker, static_cast<COLORREF>(parts_.settings.ColorBk), parts_.children.Dpi());
}

void BarDrop::DragLeft() {
  wanted_ = false;
  marker_.Hide();
  Release();
}

bool BarDrop::Dropped(DropPayload payload, Point screen) {
  wanted_ = false;
  marker_.Hide();
  const int displayed = parts_.displayedBar();
  const bool something = payload.Count() > 0 || !payload.refused.empty();
  if (!bar_ || !something || pending_ || Busy() || !parts_.db.Bar(displayed) || !SlotAt(screen)) {
    Release();
    return false;
  }
  const bool taken = payload.Count() > 0;
  // The bar stays out until the work is done.
  pending_ = PendingDrop{std::move(payload), screen, displayed, parts_.db.Bar(displayed)};
  if (!::PostMessageA(bar_, kDroppedMessage, 0, 0)) {
    pending_.reset();
    Release();
    return false;
  }
  return taken;
}

std::vector<DroppedItem> BarDrop::ItemsOf(DropPayload& payload, std::vector<RefusedItem>& refused) const {
  std::vector<DroppedItem> items = std::move(payload.items);
  for (const std::u16string& name : payload.wideNames) {
    std::string ansi;
    if (AnsiPathOf(std::wstring(name.begin(), name.end()), ansi)) {
      items.push_back({DroppedItem::Kind::kPath, std::move(ansi)});
    } else {
      refused.push_back({std::move(ansi), DropRefusal::kNotInCodePage});
    }
  }
  return items;
}

void BarDrop::TakeDrop() {
  if (!pending_) return;
  PendingDrop drop = std::move(*pending_);
  pending_.reset();
  // Released below where the work ends, or here when something throws.
  const ScopeEnd released([this] { Release(); });
  std::vector<RefusedItem> refused = std::move(drop.payload.refused);
  const std::vector<DroppedItem> items = ItemsOf(drop.payload, refused);
  if (!items.empty() && (!DropNeedsQuestion(items.size()) || AskAboutMany(items.size()))) {
    // The place is found again now: the bar may have changed while the question was open.
    const bool same = parts_.displayedBar() == drop.bar && parts_.db.Bar(drop.bar) == drop.record && !Busy();
    const std::optional<DropSlot> slot = same ? SlotAt(drop.screen) : std::nullopt;
    if (!slot) {
      Release();
      ShowWarning(parts_.texts.Text(kMsgDropAbandoned));
      return;
    }
    DropResult result = AddDroppedItems(parts_.db, drop.bar, slot->index, items, system_);
    refused.insert(refused.end(), result.refused.begin(), result.refused.end());
    if (result.added > 0) parts_.buttonsChanged();
  }
  Release();
  if (!refused.empty()) ShowWarning(RefusedItemsMessage(parts_.texts, refused));
}
