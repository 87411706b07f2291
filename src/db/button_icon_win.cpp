#include "db/button_icon_win.h"

#include <shellapi.h>

#include <climits>

#include "db/button_icon.h"

namespace {

// ExtractIconA answers 1 for a file that holds no icons; that is no handle.
HICON UsableIcon(HICON icon) { return reinterpret_cast<UINT_PTR>(icon) > 1 ? icon : nullptr; }

ButtonIcons FromIndexedFile(const std::string& path, int index) {
  HICON large = nullptr;
  HICON small = nullptr;
  const UINT extracted = ::ExtractIconExA(path.c_str(), index, &large, &small, 1);
  // On failure the out values are not to be trusted (they may hold stray values).
  if (extracted == 0 || extracted == UINT_MAX) return {};
  return {UniqueIcon(large), UniqueIcon(small)};
}

UniqueIcon ShellIcon(const std::string& path, UINT sizeFlag) {
  SHFILEINFOA info = {};
  if (!::SHGetFileInfoA(path.c_str(), 0, &info, sizeof(info), SHGFI_ICON | sizeFlag)) return {};
  return UniqueIcon(info.hIcon);
}

// The first icon of the file an icon location names. Locations may name a
// bare library ("url.dll"), which is looked for on the search path.
UniqueIcon FirstIconOf(const char* file) {
  HINSTANCE self = ::GetModuleHandleA(nullptr);
  UniqueIcon icon(UsableIcon(::ExtractIconA(self, file, 0)));
  if (icon) return icon;
  char found[MAX_PATH] = {};
  DWORD length = ::SearchPathA(nullptr, file, nullptr, MAX_PATH, found, nullptr);
  if (length == 0 || length >= MAX_PATH) return {};
  return UniqueIcon(UsableIcon(::ExtractIconA(self, found, 0)));
}

ButtonIcons FromWebShortcut(const std::string& programFolder) {
  SHFILEINFOA info = {};
  const std::string shortcut = WebShortcutPath(programFolder);
  if (!::SHGetFileInfoA(shortcut.c_str(), 0, &info, sizeof(info),
                        SHGFI_ICON | SHGFI_SMALLICON | SHGFI_ICONLOCATION)) {
    return {};
  }
  UniqueIcon shellSmall(info.hIcon);
  UniqueIcon icon = info.szDisplayName[0] ? FirstIconOf(info.szDisplayName) : UniqueIcon();
  if (icon) {
    // One image for both sizes, in two handles so each can be destroyed on its own.
    UniqueIcon copy(::CopyIcon(icon.Get()));
    return {std::move(icon), std::move(copy)};
  }
  // The named file holds no icon (some systems name a library without icons):
  // the shortcut file's own icon as the shell shows it still marks web buttons.
  if (!shellSmall) return {};
  return {ShellIcon(shortcut, SHGFI_LARGEICON), std::move(shellSmall)};
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
