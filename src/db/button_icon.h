// Which way a button's icon is found, decided from its icon path alone.
#pragma once

#include <string>

enum class IconSource {
  IndexedFile,  // an icon taken by index from a program, library, icon or control-panel file
  WebShortcut,  // a URL: the icon of the program's own internet-shortcut file
  Shell,        // anything else: the icon the shell shows for the path
};

// The extension test looks at the last four characters and is case-sensitive:
// ".exe" and ".EXE" take the indexed icon, ".Exe" the shell's. A path that
// begins with "http" or "ftp" (also case-sensitive) is a URL.
IconSource ClassifyIconPath(const std::string& path);

// The internet-shortcut file in the program folder whose icon marks web buttons.
inline constexpr const char* kWebShortcutFileName = "Orvantis.Quickrail Web Site.url";

// The full path of that file; the folder may end in a backslash or not.
std::string WebShortcutPath(const std::string& programFolder);
