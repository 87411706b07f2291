#include "editing/browse/browse_folder_win.h"

#include <shlobj.h>

#include "platform/handles_win.h"

namespace {

void FreeItemList(LPITEMIDLIST list) { ::CoTaskMemFree(list); }
using UniqueItemList = UniqueHandle<NullHandleTraits<LPITEMIDLIST, FreeItemList>>;

}  // namespace

std::optional<ChosenFolder> BrowseForFolder(HWND owner, const std::string& title) {
  ComScope com;
  char displayName[MAX_PATH] = {};
  BROWSEINFOA info = {};
  info.hwndOwner = owner;
  info.pidlRoot = nullptr;
  info.pszDisplayName = displayName;
  info.lpszTitle = title.c_str();
  info.ulFlags = 0;
  UniqueItemList chosen(::SHBrowseForFolderA(&info));
  if (!chosen) return std::nullopt;
  char path[MAX_PATH] = {};
  if (!::SHGetPathFromIDListA(chosen.Get(), path) || path[0] == '\0') return std::nullopt;
  // The shell's display name of the chosen item is what the browser showed;
  // asked for separately because some shells hand back the path in its place.
  SHFILEINFOA file = {};
  if (::SHGetFileInfoA(reinterpret_cast<LPCSTR>(chosen.Get()), 0, &file, sizeof(file),
                       SHGFI_PIDL | SHGFI_DISPLAYNAME) &&
      file.szDisplayName[0] != '\0') {
    return ChosenFolder{path, file.szDisplayName};
  }
  return ChosenFolder{path, displayName};
}
