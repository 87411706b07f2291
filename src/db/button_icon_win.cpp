#include "db/button_icon_win.h"

#include <shellapi.h>

#include "db/button_icon.h"

namespace {

// ExtractIconA answers 1 for a file that holds no icons; that is no handle.
HICON UsableIcon(HICON icon) { return reinterpret_cast<UINT_PTR>(icon) > 1 ? icon : nullptr; }

ButtonIcons FromIndexedFile(const std::string& path, int index) {
  HICON large = nullptr;
  HICON small = nullptr;
  ::ExtractIconExA(path.c_str(), index, &large, &small, 1);
  return {UniqueIcon(large), UniqueIcon(small)};
}

ButtonIcons FromWebShortcut(const std::string& programFolder) {
  SHFILEINFOA info = {};
  const std::string shortcut = WebShortcutPath(programFolder);
  if (!::SHGetFileInfoA(shortcut.c_str(), 0, &info, sizeof(info),
                        SHGFI_ICON | SHGFI_SMALLICON | SHGFI_ICONLOCATION)) {
    return {};
  }
  UniqueIcon shellIcon(info.hIcon);  // asked for with the location; not used itself
  if (info.szDisplayName[0] == '\0') return {};
  UniqueIcon icon(UsableIcon(::ExtractIconA(::GetModuleHandleA(nullptr), info.szDisplayName, 0)));
  if (!icon) return {};
  UniqueIcon copy(::CopyIcon(icon.Get()));
  return {std::move(icon), std::move(copy)};
}

UniqueIcon ShellIcon(const std::string& path, UINT sizeFlag) {
  SHFILEINFOA info = {};
  if (!::SHGetFileInfoA(path.c_str(), 0, &info, sizeof(info), SHGFI_ICON | sizeFlag)) return {};
  return UniqueIcon(info.hIcon);
}

ButtonIcons FromShell(const std::string& path) {
  ButtonIcons icons;
  icons.Small = ShellIcon(path, SHGFI_SMALLICON);
  icons.Large = ShellIcon(path, SHGFI_LARGEICON);
  return icons;
}

}  // namespace

ButtonIcons GetButtonIcon(const std::string& path, int index, const std::string& programFolder) {
  switch (ClassifyIconPath(path)) {
    case IconSource::IndexedFile: return FromIndexedFile(path, index);
    case IconSource::WebShortcut: return FromWebShortcut(programFolder);
    case IconSource::Shell: return FromShell(path);
  }
  return {};
}
