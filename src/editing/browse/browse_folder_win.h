// The system's folder browser.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

struct ChosenFolder {
  std::string Path;
  std::string DisplayName;  // as the browser shows the folder
};

// Rooted at the desktop, owned by `owner`, no option flags. Nothing when the
// user cancels or the chosen folder has no file-system path.
std::optional<ChosenFolder> BrowseForFolder(HWND owner, const std::string& title);
