#include "widgets/menu_xp_win.h"

#include <utility>

#include "platform/display_scale_win.h"
#include "widgets/menu_xp_geometry.h"

namespace {

uint32_t SystemColor(SystemColorRole role) {
  switch (role) {
    case SystemColorRole::kMenu: return ::GetSysColor(COLOR_MENU);
    case SystemColorRole::kHighlight: return ::GetSysColor(COLOR_HIGHLIGHT);
    case SystemColorRole::kMenuText: return ::GetSysColor(COLOR_MENUTEXT);
    case SystemColorRole::kHighlightText: return ::GetSysColor(COLOR_HIGHLIGHTTEXT);
    case SystemColorRole::kGrayText: return ::GetSysColor(COLOR_GRAYTEXT);
  }
  return 0;
}

UniqueFont SystemMenuFont(int dpi) {
  NONCLIENTMETRICSA metrics = {};
  metrics.cbSize = sizeof(metrics);
  if (!::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
    return UniqueFont(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)));  // stock: deleting it does nothing
  }
  const LOGFONTA font = FontAtDpi(metrics.lfMenuFont, dpi);
  return UniqueFont(::CreateFontIndirectA(&font));
}

MenuCheckMetrics CheckMetrics(int dpi) { return {MetricAt(SM_CXMENUCHECK, dpi), MetricAt(SM_CYMENUCHECK, dpi)}; }

}  // namespace

CMenuXP::CMenuXP(int dpi)
    : colors(DefaultMenuColors(&SystemColor)), scale_{dpi > 0 ? dpi : SystemDpi()}, owned_(::CreatePopupMenu()),
      handle_(owned_.Get()), font_(SystemMenuFont(scale_.dpi)) {}

CMenuXP::~CMenuXP() = default;

CMenuXP::CMenuXP(CMenuXP&& other) noexcept
    : colors(other.colors),
      scale_(other.scale_),
      owned_(std::move(other.owned_)),
      handle_(std::exchange(other.handle_, nullptr)),
      font_(std::move(other.font_)),
      records_(std::move(other.records_)),
      subMenus_(std::move(other.subMenus_)) {}

CMenuXP& CMenuXP::operator=(CMenuXP&& other) noexcept {
  if (this == &other) return *this;
  // Sub-menus and records go before the handle that refers to them.
  subMenus_ = std::move(other.subMenus_);
  records_ = std::move(other.records_);
  font_ = std::move(other.font_);
  owned_ = std::move(other.owned_);
  handle_ = std::exchange(other.handle_, nullptr);
  colors = other.colors;
  scale_ = other.scale_;
  return *this;
}

bool CMenuXP::AppendItem(UINT flags, std::unique_ptr<MenuItemRecord> record) {
  if (!handle_ || !record) return false;
  record->iconSize = IconSide();
  const UINT_PTR id = record->commandId;
  const auto* data = reinterpret_cast<LPCSTR>(record.get());
  if (!::AppendMenuA(handle_, flags | MF_OWNERDRAW, id, data)) return false;
  records_.push_back(std::move(record));
  return true;
}

bool CMenuXP::AppendSeparator() {
  auto record = std::make_unique<MenuItemRecord>();
  record->separator = 1;
  record->iconSize = IconSide();
  if (!handle_) return false;
  if (!::AppendMenuA(handle_, MF_SEPARATOR | MF_OWNERDRAW, 0, reinterpret_cast<LPCSTR>(record.get()))) return false;
  records_.push_back(std::move(record));
  return true;
}

bool CMenuXP::AppendSubMenu(UINT flags, std::unique_ptr<CMenuXP> subMenu, std::unique_ptr<MenuItemRecord> record) {
  if (!handle_ || !subMenu || !subMenu->owned_ || !record) return false;
  record->iconSize = IconSide();
  const auto id = reinterpret_cast<UINT_PTR>(subMenu->handle_);
  if (!::AppendMenuA(handle_, flags | MF_POPUP | MF_OWNERDRAW, id, reinterpret_cast<LPCSTR>(record.get()))) {
    return false;
  }
  subMenu->owned_.Release();  // destroyed with this menu's handle now
  records_.push_back(std::move(record));
  subMenus_.push_back(std::move(subMenu));
  return true;
}

CMenuXP* CMenuXP::FindMenu(HMENU menu) {
  if (!menu) return nullptr;
  if (menu == handle_) return this;
  for (const auto& sub : subMenus_) {
    if (CMenuXP* found = sub->FindMenu(menu)) return found;
  }
  return nullptr;
}

MenuItemRecord* CMenuXP::OwnRecord(ULONG_PTR data) const {
  // Only addresses this menu handed out are looked at, so foreign item data
  // is never read; the magic then confirms the record.
  for (const auto& record : records_) {
    if (reinterpret_cast<ULONG_PTR>(record.get()) == data) {
      return record->magic == MenuItemRecord::kMagic ? record.get() : nullptr;
    }
  }
  return nullptr;
}

MenuItemRecord* CMenuXP::RecordInTree(ULONG_PTR data) {
  if (MenuItemRecord* record = OwnRecord(data)) return record;
  for (const auto& sub : subMenus_) {
    if (MenuItemRecord* record = sub->RecordInTree(data)) return record;
  }
  return nullptr;
}

UniqueFont CMenuXP::BoldMenuFont() const {
  LOGFONTA font = {};
  if (!::GetObjectA(font_.Get(), sizeof(font), &font)) return {};
  font.lfWeight = FW_BOLD;
  return UniqueFont(::CreateFontIndirectA(&font));
}

bool CMenuXP::MeasureItem(MEASUREITEMSTRUCT& request) {
  if (request.CtlType != ODT_MENU) return false;
  const MenuItemRecord* record = RecordInTree(request.itemData);
  if (!record) return false;
  const MenuCheckMetrics check = CheckMetrics(scale_.dpi);
  Size size;
  if (record->separator) {
    size = MeasureMenuSeparator(check);
  } else {
    WindowDC screen(nullptr);
    UniqueFont bold = BoldMenuFont();
    SelectScope selected(screen.Get(), bold.Get());
    RECT text = {0, 0, 0, 0};
    ::DrawTextA(screen.Get(), record->text.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_CALCRECT);
    size = MeasureMenuItem(record->iconSize, {text.right - text.left, text.bottom - text.top}, check, scale_);
  }
  // A negative width wraps; the system adds the check-mark width back to it.
  request.itemWidth = static_cast<UINT>(size.cx);
  request.itemHeight = static_cast<UINT>(size.cy);
  return true;
}

bool CMenuXP::DrawItem(const DRAWITEMSTRUCT& request) {
  if (request.CtlType != ODT_MENU) return false;
  CMenuXP* owner = FindMenu(reinterpret_cast<HMENU>(request.hwndItem));
  if (!owner) return false;
  const MenuItemRecord* record = owner->OwnRecord(request.itemData);
  if (!record) return false;
  if (record->separator) {
    owner->DrawSeparator(request.hDC, request.rcItem, *record);
  } else {
    owner->DrawCaptionItem(request, *record);
  }
  return true;
}

bool CMenuXP::IsDefaultItem(const DRAWITEMSTRUCT& request) const {
  if (request.itemState & ODS_DEFAULT) return true;
  // Not every system reports the default state to the drawing; the menu knows it.
  const int count = ::GetMenuItemCount(handle_);
  for (int i = 0; i < count; ++i) {
    MENUITEMINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_DATA | MIIM_STATE;
    if (::GetMenuItemInfoA(handle_, static_cast<UINT>(i), TRUE, &info) && info.dwItemData == request.itemData) {
      return (info.fState & MFS_DEFAULT) != 0;
    }
  }
  return false;
}
