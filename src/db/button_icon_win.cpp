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

ButtonIcons FromShell(const std::string& path) {
  ButtonIcons icons;
  icons.Small = ShellIcon(path, SHGFI_SMALLICON);
  icons.Large = ShellIcon(path, SHGFI_LARGEICON);
  return icons;
}

// The shell's icons for a kind of file or folder, by name and attributes only:
// no link arrow, and nothing depends on the path existing.
ButtonIcons GenericIcons(const GenericIconQuery& query) {
  const DWORD attributes = query.directory ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL;
  auto icon = [&](UINT sizeFlag) {
    SHFILEINFOA info = {};
    if (!::SHGetFileInfoA(query.name.c_str(), attributes, &info, sizeof(info),
                          SHGFI_ICON | SHGFI_USEFILEATTRIBUTES | sizeFlag)) {
      return UniqueIcon();
    }
    return UniqueIcon(info.hIcon);
  };
  ButtonIcons icons;
  icons.Small = icon(SHGFI_SMALLICON);
  icons.Large = icon(SHGFI_LARGEICON);
  return icons;
}

// The system's application icon at both sizes, as icons of our own: the one
// LoadIcon gives is shared and must not be destroyed.
ButtonIcons SystemDefaultIcons() {
  HICON shared = ::LoadIconA(nullptr, IDI_APPLICATION);
  if (!shared) return {};
  auto copy = [shared](int size) {
    return UniqueIcon(static_cast<HICON>(::CopyImage(shared, IMAGE_ICON, size, size, 0)));
  };
  return {copy(32), copy(16)};
}

ButtonIcons FromWebShortcut(const std::string& programFolder) {
  SHFILEINFOA info = {};
  const std::string shortcut = WebShortcutPath(programFolder);
  if (!::SHGetFileInfoA(shortcut.c_str(), 0, &info, sizeof(info),
                        SHGFI_ICON | SHGFI_SMALLICON | SHGFI_ICONLOCATION)) {
    return {};
  }
  UniqueIcon shellSmall(info.hIcon);  // asked for with the location; not what marks web buttons
  UniqueIcon icon = info.szDisplayName[0] ? FirstIconOf(info.szDisplayName) : UniqueIcon();
  if (icon) {
    // One image for both sizes, in two handles so each can be destroyed on its own.
    UniqueIcon copy(::CopyIcon(icon.Get()));
    return {std::move(icon), std::move(copy)};
  }
  // The named file holds no icon (Wine names "url.dll", which has none). The
  // shortcut file's own icon is then no answer: built from that same empty
  // location, its large size is nothing but the shortcut's arrow. The shell's
  // icon for internet shortcuts as a kind still marks web buttons.
  return GenericIcons(GenericIconFor(kWebShortcutFileName));
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

ButtonIcons GetButtonIconOrGeneric(const std::string& path, int index, const std::string& programFolder) {
  ButtonIcons icons = GetButtonIcon(path, index, programFolder);
  for (IconFallback fallback : IconFallbacks(path)) {
    if (icons.Large && icons.Small) break;
    ButtonIcons more;
    switch (fallback) {
      case IconFallback::ShellOfPath: more = FromShell(path); break;
      case IconFallback::GenericOfKind: more = GenericIcons(GenericIconFor(path)); break;
      case IconFallback::SystemDefault: more = SystemDefaultIcons(); break;
    }
    if (!icons.Large) icons.Large = std::move(more.Large);
    if (!icons.Small) icons.Small = std::move(more.Small);
  }
  return icons;
}
