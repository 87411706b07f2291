// Which way a button's icon is found, decided from its icon path alone.
#pragma once

#include <string>
#include <vector>

#include "platform/path_rules.h"

enum class IconSource {
  IndexedFile,  // an icon taken by index from a program, library, icon or control-panel file
  WebShortcut,  // a URL: the icon of the program's own internet-shortcut file
  Shell,        // anything else: the icon the shell shows for the path
};

// The extension test looks at the last four characters and is case-sensitive:
// ".exe" and ".EXE" take the indexed icon, ".Exe" the shell's. A path that
// begins with "http" or "ftp" (also case-sensitive) is a URL.

IconSource ClassifyIconPath(const std::string& path);

// Where an icon path points: a relative one inside the program folder (not
// the current folder, which the file dialog moves), one from the root of the
// drive on the folder's drive; absolute paths and web addresses stay.
std::string IconPathInFolder(const std::string& iconPath, const std::string& programFolder);

// The internet-shortcut file in the program folder whose icon marks web buttons.
inline constexpr const char* kWebShortcutFileName = "Orvantis.Quickrail Web Site.url";

// The full path of that file; the folder may end in a backslash or not.
std::string WebShortcutPath(const std::string& programFolder);

// What the shell is asked for when a button's own icon cannot be had: the
// generic icon of the kind of thing the path names, found by a name and file
// attributes alone, so the path need not exist. A web address gets the icon of
// internet shortcuts, a drive root and a path that ends in a separator or
// whose last part has no extension the folder icon, anything else the icon of
// its file type.
struct GenericIconQuery {
  std::string name;
  bool directory = false;
  friend bool operator==(const GenericIconQuery&, const GenericIconQuery&) = default;
};
GenericIconQuery GenericIconFor(const std::string& path);

// The lookups tried, in order, for the sizes the lookup by IconSource left
// empty, so that no button is drawn as a blank slot: the shell's icon for the
// path itself (a program file may hold no icons, as Explorer's does under
// Wine), the generic icon of its kind, and last the system's own application icon.
enum class IconFallback { ShellOfPath, GenericOfKind, SystemDefault };
std::vector<IconFallback> IconFallbacks(const std::string& path);

// The sizes a look-up asks for. Each size is found on its own (a size's
// fallbacks do not depend on the other size), so asking for one gives the
// image that asking for both gives in that size; the shell's look-ups cost
// about as much per size, so a caller asks only for what it draws.
enum class IconSizes { kBoth, kSmall, kLarge };
inline bool WantsSmall(IconSizes sizes) { return sizes != IconSizes::kLarge; }
inline bool WantsLarge(IconSizes sizes) { return sizes != IconSizes::kSmall; }
