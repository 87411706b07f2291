#include "icons/button_icon_win.h"

#include <shellapi.h>

#include <climits>
#include <utility>

#include "icons/icon_sides_win.h"
#include "platform/quiet_errors_win.h"

namespace {

constexpr int kSmallSideAt96 = 16;
constexpr int kLargeSideAt96 = 32;

// ExtractIconA answers 1 for a file that holds no icons; that is no handle.
HICON UsableIcon(HICON icon) { return reinterpret_cast<UINT_PTR>(icon) > 1 ? icon : nullptr; }

// 16/32 on a 96-DPI system: the system's extraction as it has always been.
bool SystemSidesAt96(IconSides sides) {
  return sides == IconSides{} && SystemIconSide(sides.small, false) && SystemIconSide(sides.large, true);
}

// At 16/32 both sizes are extracted even when one is wanted: asked for alone,
// a size may come from another image of the icon (Wine picks the small image
// then by other rules), and the extraction costs little beside the shell's.
// At other sides each is extracted at its side (the frame that fits it).
ButtonIcons ExtractBoth(const std::string& path, int index, IconSides sides) {
  if (!SystemSidesAt96(sides)) {
    ExtractedPair pair = ExtractIconsAtSides(path.c_str(), index, sides.large, sides.small);
    return {std::move(pair.large), std::move(pair.small)};
  }
  HICON large = nullptr;
  HICON small = nullptr;
  const UINT extracted = ::ExtractIconExA(path.c_str(), index, &large, &small, 1);
  // On failure the out values are not to be trusted (they may hold stray values).
  if (extracted == 0 || extracted == UINT_MAX) return {};
  return {UniqueIcon(large), UniqueIcon(small)};
}

ButtonIcons FromIndexedFile(const std::string& path, int index, IconSizes sizes, IconSides sides) {
  ButtonIcons icons = ExtractBoth(path, index, sides);
  if (!WantsLarge(sizes)) icons.Large.Reset();
  if (!WantsSmall(sizes)) icons.Small.Reset();
  return icons;
}

// The first icon of a file at `side` (the system's large side: as
// ExtractIcon gives it).
UniqueIcon FirstIconAtSide(const char* file, int side) {
  if (!SystemIconSide(side, true)) return ExtractIconAtSide(file, 0, side);
  return UniqueIcon(UsableIcon(::ExtractIconA(::GetModuleHandleA(nullptr), file, 0)));
}

// The first icon of the file an icon location names. Locations may name a
// bare library ("url.dll"), which is looked for on the search path.
UniqueIcon FirstIconOf(const char* file, int side) {
  UniqueIcon icon = FirstIconAtSide(file, side);
  if (icon) return icon;
  char found[MAX_PATH] = {};
  DWORD length = ::SearchPathA(nullptr, file, nullptr, MAX_PATH, found, nullptr);
  if (length == 0 || length >= MAX_PATH) return {};
  return FirstIconAtSide(found, side);
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
UniqueIcon ExtractOneSize(const char* file, int index, bool large, int side) {
  if (!SystemIconSide(side, large)) return ExtractIconAtSide(file, index, side);
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
ButtonIcons FromFolderIconLocation(const std::string& path, IconSizes sizes, IconSides sides) {
  SHFILEINFOA info = {};
  if (!::SHGetFileInfoA(path.c_str(), 0, &info, sizeof(info), SHGFI_ICONLOCATION) || !info.szDisplayName[0]) {
    return {};
  }
  ButtonIcons icons;
  if (WantsSmall(sizes)) icons.Small = ExtractOneSize(info.szDisplayName, info.iIcon, false, sides.small);
  if (WantsLarge(sizes)) icons.Large = ExtractOneSize(info.szDisplayName, info.iIcon, true, sides.large);
  return HasSizes(icons, sizes) ? std::move(icons) : ButtonIcons{};
}

ButtonIcons FromShell(const std::string& path, IconSizes sizes, IconSides sides) {
  // Only folders and drives: the shell may draw another file's icon by rules
  // of its own (a program's icon put on a page, an icon made of its content),
  // and a program file without icons of its own does not get its location's.
  if (IsDirectory(path)) {
    ButtonIcons icons = FromFolderIconLocation(path, sizes, sides);
    if (HasSizes(icons, sizes)) return icons;
  }
  ButtonIcons icons;
  if (WantsSmall(sizes)) icons.Small = ShellIconAtSide(path, 0, 0, sides.small, false);
  if (WantsLarge(sizes)) icons.Large = ShellIconAtSide(path, 0, 0, sides.large, true);
  return icons;
}

// The shell's icons for a kind of file or folder, by name and attributes only:
// no link arrow, and nothing depends on the path existing.
ButtonIcons GenericIcons(const GenericIconQuery& query, IconSizes sizes, IconSides sides) {
  const DWORD attributes = query.directory ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL;
  ButtonIcons icons;
  if (WantsSmall(sizes)) icons.Small = ShellIconAtSide(query.name, attributes, SHGFI_USEFILEATTRIBUTES, sides.small, false);
  if (WantsLarge(sizes)) icons.Large = ShellIconAtSide(query.name, attributes, SHGFI_USEFILEATTRIBUTES, sides.large, true);
  return icons;
}

// The system's application icon, as icons of our own: the one LoadIcon gives
// is shared and must not be destroyed.
// At another side than 16/32 the copy is made from the icon's resource, so
// that the frame nearest the side is taken.
ButtonIcons SystemDefaultIcons(IconSizes sizes, IconSides sides) {
  HICON shared = ::LoadIconA(nullptr, IDI_APPLICATION);
  if (!shared) return {};
  auto copy = [shared](int size, int today) {
    HANDLE made = size == today ? nullptr : ::CopyImage(shared, IMAGE_ICON, size, size, LR_COPYFROMRESOURCE);
    if (!made) made = ::CopyImage(shared, IMAGE_ICON, size, size, 0);
    return UniqueIcon(static_cast<HICON>(made));
  };
  ButtonIcons icons;
  if (WantsLarge(sizes)) icons.Large = copy(sides.large, kLargeSideAt96);
  if (WantsSmall(sizes)) icons.Small = copy(sides.small, kSmallSideAt96);
  return icons;
}

ButtonIcons FromWebShortcut(const std::string& programFolder, IconSizes sizes, IconSides sides) {
  SHFILEINFOA info = {};
  const std::string shortcut = WebShortcutPath(programFolder);
  if (!::SHGetFileInfoA(shortcut.c_str(), 0, &info, sizeof(info),
                        SHGFI_ICON | SHGFI_SMALLICON | SHGFI_ICONLOCATION)) {
    return {};
  }
  UniqueIcon shellSmall(info.hIcon);  // asked for with the location; not what marks web buttons
  UniqueIcon icon = info.szDisplayName[0] ? FirstIconOf(info.szDisplayName, sides.large) : UniqueIcon();
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
  return GenericIcons(GenericIconFor(kWebShortcutFileName), sizes, sides);
}

}  // namespace

ButtonIcons GetButtonIcon(const std::string& iconPath, int index, const std::string& programFolder,
                          IconSizes sizes, IconSides sides) {
  const std::string path = IconPathInFolder(iconPath, programFolder);
  switch (ClassifyIconPath(path)) {
    case IconSource::IndexedFile: return FromIndexedFile(path, index, sizes, sides);
    case IconSource::WebShortcut: return FromWebShortcut(programFolder, sizes, sides);
    case IconSource::Shell: return FromShell(path, sizes, sides);
  }
  return {};
}

ButtonIcons GenericIconsOfKind(const std::string& path, IconSizes sizes, IconSides sides) {
  ButtonIcons icons = GenericIcons(GenericIconFor(path), sizes, sides);
  const bool needSmall = WantsSmall(sizes) && !icons.Small;
  const bool needLarge = WantsLarge(sizes) && !icons.Large;
  if (needSmall || needLarge) {
    ButtonIcons system = SystemDefaultIcons(needSmall && needLarge ? IconSizes::kBoth
                                            : needSmall            ? IconSizes::kSmall
                                                                   : IconSizes::kLarge,
                                            sides);
    if (needSmall) icons.Small = std::move(system.Small);
    if (needLarge) icons.Large = std::move(system.Large);
  }
  return icons;
}

ButtonIcons GetButtonIconOrGeneric(const std::string& iconPath, int index, const std::string& programFolder,
                                   IconSizes sizes, IconSides sides) {
  const std::string path = IconPathInFolder(iconPath, programFolder);
  ButtonIcons icons = GetButtonIcon(path, index, programFolder, sizes, sides);
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
      case IconFallback::ShellOfPath: more = FromShell(path, missing, sides); break;
      case IconFallback::GenericOfKind: more = GenericIcons(GenericIconFor(path), missing, sides); break;
      case IconFallback::SystemDefault: more = SystemDefaultIcons(missing, sides); break;
    }
    if (!icons.Large) icons.Large = std::move(more.Large);
    if (!icons.Small) icons.Small = std::move(more.Small);
  }
  return icons;
}
