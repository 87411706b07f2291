#include "icons/icon_sides_win.h"

#include <shellapi.h>
#include <shlobj.h>
#include <commctrl.h>

#include <utility>

namespace {

// SHGetImageList: exported by name from Vista on, by ordinal before.
using ImageListEntry = HRESULT(WINAPI*)(int list, REFIID id, void** out);
constexpr WORD kImageListOrdinal = 727;
// The shell's lists by size: 32 (the system's large), 48, 256 pixels at 96
// DPI. The jumbo list is Vista's; the headers of the system level built for
// do not name it.
constexpr int kShellLists[] = {0 /*SHIL_LARGE*/, 2 /*SHIL_EXTRALARGE*/, 4 /*SHIL_JUMBO*/};
// IID_IImageList; the interface pointer is the list's handle.
constexpr GUID kImageListId = {0x46eb5926, 0x582e, 0x4017, {0x9f, 0xdf, 0xe8, 0x99, 0x8d, 0xaa, 0x09, 0x50}};

// One of the shell's system image lists; null where the system lacks it. The
// lists live as long as the process; the reference taken is not given back.
HIMAGELIST ShellImageList(int which) {
  HMODULE shell32 = ::GetModuleHandleA("shell32.dll");
  if (!shell32) return nullptr;
  auto entry = reinterpret_cast<ImageListEntry>(reinterpret_cast<void*>(::GetProcAddress(shell32, "SHGetImageList")));
  if (!entry) {
    entry = reinterpret_cast<ImageListEntry>(
        reinterpret_cast<void*>(::GetProcAddress(shell32, MAKEINTRESOURCEA(kImageListOrdinal))));
  }
  void* list = nullptr;
  if (!entry || FAILED(entry(which, kImageListId, &list))) return nullptr;
  return static_cast<HIMAGELIST>(list);
}

// The system image of `name` from the smallest of the shell's lists whose
// images are at least `side` pixels.
UniqueIcon FromShellLists(const std::string& name, DWORD attributes, UINT flags, int side) {
  SHFILEINFOA info = {};
  if (!::SHGetFileInfoA(name.c_str(), attributes, &info, sizeof(info), SHGFI_SYSICONINDEX | flags)) return {};
  for (int which : kShellLists) {
    HIMAGELIST list = ShellImageList(which);
    int cx = 0;
    int cy = 0;
    if (!list || !::ImageList_GetIconSize(list, &cx, &cy) || cx < side) continue;
    UniqueIcon icon(::ImageList_GetIcon(list, info.iIcon, ILD_NORMAL));
    if (icon) return icon;
  }
  return {};
}

UniqueIcon SystemShellIcon(const std::string& name, DWORD attributes, UINT flags, bool large) {
  SHFILEINFOA info = {};
  if (!::SHGetFileInfoA(name.c_str(), attributes, &info, sizeof(info),
                        SHGFI_ICON | flags | (large ? SHGFI_LARGEICON : SHGFI_SMALLICON))) {
    return {};
  }
  return UniqueIcon(info.hIcon);
}

}  // namespace

bool SystemIconSide(int side, bool large) { return side == ::GetSystemMetrics(large ? SM_CXICON : SM_CXSMICON); }

// Each side on its own: asked for as a pair (large and small at once), the
// small icon is made from the large one's frame under Wine.
ExtractedPair ExtractIconsAtSides(const char* file, int index, int large, int small) {
  ExtractedPair pair;
  if (large > 0) pair.large = ExtractIconAtSide(file, index, large);
  if (small > 0) pair.small = ExtractIconAtSide(file, index, small);
  return pair;
}

UniqueIcon ExtractIconAtSide(const char* file, int index, int side) {
  HICON icon = nullptr;
  UINT id = 0;
  const UINT extracted = ::PrivateExtractIconsA(file, index, side, side, &icon, &id, 1, LR_DEFAULTCOLOR);
  // 0 for no icon at the index, 0xFFFFFFFF for no such file: no handle then.
  if (extracted == 0 || extracted == 0xFFFFFFFFu) return {};
  return UniqueIcon(icon);
}

UniqueIcon ShellIconAtSide(const std::string& name, DWORD attributes, UINT flags, int side, bool large) {
  if (SystemIconSide(side, large)) return SystemShellIcon(name, attributes, flags, large);
  SHFILEINFOA info = {};
  if (::SHGetFileInfoA(name.c_str(), attributes, &info, sizeof(info), SHGFI_ICONLOCATION | flags) &&
      info.szDisplayName[0]) {
    UniqueIcon icon = ExtractIconAtSide(info.szDisplayName, info.iIcon, side);
    if (icon) return icon;
  }
  UniqueIcon icon = FromShellLists(name, attributes, flags, side);
  if (icon) return icon;
  // Nothing at or above the side: the nearest of the system's two.
  return SystemShellIcon(name, attributes, flags, side > ::GetSystemMetrics(SM_CXSMICON));
}
