#include "editing/manager/manager_icons_win.h"

#include <shellapi.h>

#include "icons/icon_cache_win.h"

namespace {

void SetBoxIcon(HWND box, UniqueIcon& held, UniqueIcon icon) {
  ::SendMessageA(box, STM_SETICON, reinterpret_cast<WPARAM>(icon.Get()), 0);
  // The box no longer shows the old icon, so it can go.
  held = std::move(icon);
}

}  // namespace

int IconWidth(HICON icon) {
  ICONINFO parts = {};
  if (!icon || !::GetIconInfo(icon, &parts)) return 0;
  UniqueBitmap colour(parts.hbmColor);
  UniqueBitmap mask(parts.hbmMask);
  BITMAP info = {};
  if (!::GetObjectA(colour ? colour.Get() : mask.Get(), sizeof(info), &info)) return 0;
  return info.bmWidth;
}

UniqueIcon IconOfSide(UniqueIcon icon, int side) {
  if (!icon || IconWidth(icon.Get()) == side) return icon;
  UniqueIcon sized(static_cast<HICON>(::CopyImage(icon.Get(), IMAGE_ICON, side, side, 0)));
  return sized ? std::move(sized) : std::move(icon);
}

void ManagerIconBoxes::Show(UniqueIcon icon) {
  icon = IconOfSide(std::move(icon), IconSidesAt(dpi_).large);
  UniqueIcon copy(icon ? ::CopyIcon(icon.Get()) : nullptr);
  SetBoxIcon(upper_, upperIcon_, std::move(icon));
  SetBoxIcon(lower_, lowerIcon_, std::move(copy));
}

void ManagerIconBoxes::SetDpi(int dpi) {
  if (dpi == dpi_) return;
  dpi_ = dpi;
  ShowSource();
}

void ManagerIconBoxes::ShowSource() {
  switch (source_) {
    case Source::kButton:
      Show(ButtonIconOfSize(cache_, file_, index_, programFolder_, OneIconSize::kLarge, CacheMiss::kGiveNull, dpi_));
      return;
    case Source::kShell: {
      SHFILEINFOA info = {};
      ::SHGetFileInfoA(file_.c_str(), 0, &info, sizeof(info), SHGFI_ICON | SHGFI_LARGEICON);
      Show(UniqueIcon(info.hIcon));
      return;
    }
    case Source::kNone:
      Show(UniqueIcon());
      return;
  }
}

void ManagerIconBoxes::ShowButtonIcon(const std::string& iconFile, int iconIndex, const std::string& programFolder) {
  source_ = Source::kButton;
  file_ = iconFile;
  index_ = iconIndex;
  programFolder_ = programFolder;
  ShowSource();
}

void ManagerIconBoxes::ShowShellIcon(const std::string& path) {
  source_ = Source::kShell;
  file_ = path;
  ShowSource();
}

void ManagerIconBoxes::Clear() {
  source_ = Source::kNone;
  ShowSource();
}

UniqueIcon ManagerTreeIcon(ButtonIconCache* cache, const std::string& iconFile, int32_t iconIndex,
                           const std::string& programFolder, int dpi) {
  return ButtonIconOfSize(cache, iconFile, iconIndex, programFolder, OneIconSize::kSmall, CacheMiss::kGiveNull, dpi);
}
