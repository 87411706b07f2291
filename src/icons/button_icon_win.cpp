#include "icons/button_icon_win.h"

#include <shellapi.h>

#include <climits>
#include <utility>

#include "platform/quiet_errors_win.h"

namespace {

// ExtractIconA answers 1 for a file that holds no icons; that is no handle.
HICON UsableIcon(HICON icon) { return reinterpret_cast<UINT_PTR>(icon) > 1 ? icon : nullptr; }

ButtonIcons FromIndexedFile(const std::string& path, int index, IconSizes sizes) {
  HICON large = nullptr;
  HICON small = nullptr;
  // Both sizes are extracted even when one is wanted: asked for alone, a size
  // may come from another image of the icon (Wine picks the small image then
  // by other rules), and the extraction costs little beside the shell's.
  const UINT extracted = ::ExtractIconExA(path.c_str(), index, &large, &small, 1);
  // On failure the out values are not to be trusted (they may hold stray values).
  if (extracted == 0 || extracted == UINT_MAX) return {};
  ButtonIcons icons{UniqueIcon(large), UniqueIcon(small)};
  if (!WantsLarge(sizes)) icons.Large.Reset();
  if (!WantsSmall(sizes)) icons.Small.Reset();
  return icons;
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

bool IsDirectory(const std::string& path) {
  // A removable drive without its medium answers "not there", not with the
  // system's error box.
  const QuietErrorMode quiet;
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool HasSizes(const ButtonIcons& icons, IconSizes sizes) {
  return (!WantsSmall(sizes) || icons.Small) && (!WantsLarge(sizes) || icons.Large);
}

// One size of the icon at `index` in `file`, extracted on its own as the
// shell extracts each size it keeps.
UniqueIcon ExtractOneSize(const char* file, int index, bool large) {
  HICON icon = nullptr;
  const UINT extracted = ::ExtractIconExA(file, index, large ? &icon : nullptr, large ? nullptr : &icon, 1);
  if (extracted == 0 || extracted == UINT_MAX) return {};
  return UniqueIcon(icon);
}

// A folder's or drive's icon taken from the file and index the shell names as
// its icon location: the image the shell shows, without the shell loading it
// at every size it keeps (under Wine the first folder, the first drive and
// the shell's lists themselves cost more than the rest of a first start).
// Nothing unless every size asked for is there; the shell is asked then.
ButtonIcons FromFolderIconLocation(const std::string& path, IconSizes sizes) {
  SHFILEINFOA info = {};
  if (!::SHGetFileInfoA(path.c_str(), 0, &info, sizeof(info), SHGFI_ICONLOCATION) || !info.szDisplayName[0]) {
    return {};
  }
  ButtonIcons icons;
  if (WantsSmall(sizes)) icons.Small = ExtractOneSize(info.szDisplayName, info.iIcon, false);
  if (WantsLarge(sizes)) icons.Large = ExtractOneSize(info.szDisplayName, info.iIcon, true);
  return HasSizes(icons, sizes) ? std::move(icons) : ButtonIcons{};
}

ButtonIcons FromShell(const std::string& path, IconSizes sizes) {
  // Only folders and drives: the shell may draw another file's icon by rules
  // of its own (a program's icon put on a page, an icon made of its content),
  // and a program file without icons of its own does not get its location's.
  if (IsDirectory(path)) {
    ButtonIcons icons = FromFolderIconLocation(path, sizes);
    if (HasSizes(icons, sizes)) return icons;
  }
  ButtonIcons icons;
  if (WantsSmall(sizes)) icons.Small = ShellIcon(path, SHGFI_SMALLICON);
  if (WantsLarge(sizes)) icons.Large = ShellIcon(path, SHGFI_LARGEICON);
  return icons;
}

// The shell's icons for a kind of file or folder, by name and attributes only:
// no link arrow, and nothing depends on the path existing.
ButtonIcons GenericIcons(const GenericIconQuery& query, IconSizes sizes) {
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
  if (WantsSmall(sizes)) icons.Small = icon(SHGFI_SMALLICON);
  if (WantsLarge(sizes)) icons.Large = icon(SHGFI_LARGEICON);
  return icons;
}

// The system's application icon, as icons of our own: the one LoadIcon gives
// is shared and must not be destroyed.
ButtonIcons SystemDefaultIcons(IconSizes sizes) {
  HICON shared = ::LoadIconA(nullptr, IDI_APPLICATION);
  if (!shared) return {};
  auto copy = [shared](int size) {
    return UniqueIcon(static_cast<HICON>(::CopyImage(shared, IMAGE_ICON, size, size, 0)));
  };
  ButtonIcons icons;
  if (WantsLarge(sizes)) icons.Large = copy(32);
  if (WantsSmall(sizes)) icons.Small = copy(16);
  return icons;
}

ButtonIcons FromWebShortcut(const std::string& programFolder, IconSizes sizes) {
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
    ButtonIcons icons;
    if (sizes == IconSizes::kBoth) icons.Small = UniqueIcon(::CopyIcon(icon.Get()));
    (WantsLarge(sizes) ? icons.Large : icons.Small) = std::move(icon);
    return icons;
  }
  // The named file holds no icon (Wine names "url.dll", which has none). The
  // shortcut file's own icon is then no answer: built from that same empty
  // location, its large size is nothing but the shortcut's arrow. The shell's
  // icon for internet shortcuts as a kind still marks web buttons.
  return GenericIcons(GenericIconFor(kWebShortcutFileName), sizes);
}

}  // namespace

ButtonIcons GetButtonIcon(const std::string& iconPath, int index, const std::string& programFolder,
                          IconSizes sizes, [[maybe_unused]] IconSides sides) {
  const std::string path = IconPathInFolder(iconPath, programFolder);
  switch (ClassifyIconPath(path)) {
    case IconSource::IndexedFile: return FromIndexedFile(path, index, sizes);
    case IconSource::WebShortcut: return FromWebShortcut(programFolder, sizes);
    case IconSource::Shell: return FromShell(path, sizes);
  }
  return {};
}

ButtonIcons GenericIconsOfKind(const std::string& path, IconSizes sizes, [[maybe_unused]] IconSides sides) {
  ButtonIcons icons = GenericIcons(GenericIconFor(path), sizes);
  const bool needSmall = WantsSmall(sizes) && !icons.Small;
  const bool needLarge = WantsLarge(sizes) && !icons.Large;
  if (needSmall || needLarge) {
    ButtonIcons system = SystemDefaultIcons(needSmall && needLarge ? IconSizes::kBoth
                                            : needSmall            ? IconSizes::kSmall
                                                                   : IconSizes::kLarge);
    if (needSmall) icons.Small = std::move(system.Small);
    if (needLarge) icons.Large = std::move(system.Large);
  }
  return icons;
}

ButtonIcons GetButtonIconOrGeneric(const std::string& iconPath, int index, const std::string& programFolder,
                                   IconSizes sizes, [[maybe_unused]] IconSides sides) {
  const std::string path = IconPathInFolder(iconPath, programFolder);
  ButtonIcons icons = GetButtonIcon(path, index, programFolder, sizes);
  for (IconFallback fallback : IconFallbacks(path)) {
    // Only the sizes still missing are asked for.
    const bool needSmall = WantsSmall(sizes) && !icons.Small;
    const bool needLarge = WantsLarge(sizes) && !icons.Large;
    if (!needSmall && !needLarge) break;
    const IconSizes missing = needSmall && needLarge ? IconSizes::kBoth
                              : needSmall            ? IconSizes::kSmall
                                                     : IconSizes::kLarge;
    ButtonIcons more;
    switch (fallback) {
      case IconFallback::ShellOfPath: more = FromShell(path, missing); break;
      case IconFallback::GenericOfKind: more = GenericIcons(GenericIconFor(path), missing); break;
      case IconFallback::SystemDefault: more = SystemDefaultIcons(missing); break;
    }
    if (!icons.Large) icons.Large = std::move(more.Large);
    if (!icons.Small) icons.Small = std::move(more.Small);
  }
  return icons;
}
