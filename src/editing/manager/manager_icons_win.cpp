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

void ManagerIconBoxes::Show(UniqueIcon icon) {
  UniqueIcon copy(icon ? ::CopyIcon(icon.Get()) : nullptr);
  SetBoxIcon(upper_, upperIcon_, std::move(icon));
  SetBoxIcon(lower_, lowerIcon_, std::move(copy));
}

void ManagerIconBoxes::ShowButtonIcon(const std::string& iconFile, int iconIndex, const std::string& programFolder) {
  Show(ButtonIconOfSize(cache_, iconFile, iconIndex, programFolder, OneIconSize::kLarge, CacheMiss::kGiveNull));
}

void ManagerIconBoxes::ShowShellIcon(const std::string& path) {
  SHFILEINFOA info = {};
  ::SHGetFileInfoA(path.c_str(), 0, &info, sizeof(info), SHGFI_ICON | SHGFI_LARGEICON);
  Show(UniqueIcon(info.hIcon));
}

void ManagerIconBoxes::Clear() { Show(UniqueIcon()); }

UniqueIcon ManagerTreeIcon(ButtonIconCache* cache, const std::string& iconFile, int32_t iconIndex,
                           const std::string& programFolder) {
  return ButtonIconOfSize(cache, iconFile, iconIndex, programFolder, OneIconSize::kSmall, CacheMiss::kGiveNull);
}
