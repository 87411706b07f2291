#include "editing/presets/preset_listing_win.h"

#include <windows.h>

#include "platform/handles_win.h"

namespace {

struct FindHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return INVALID_HANDLE_VALUE; }
  static bool IsValid(Handle h) { return h != INVALID_HANDLE_VALUE && h != nullptr; }
  static void Close(Handle h) { ::FindClose(h); }
};

}  // namespace

std::vector<DirEntry> WinDirectoryLister::List(const std::string& pattern) {
  std::vector<DirEntry> entries;
  WIN32_FIND_DATAA found = {};
  UniqueHandle<FindHandleTraits> search(::FindFirstFileA(pattern.c_str(), &found));
  if (!search) return entries;
  do {
    entries.push_back({found.cFileName, found.dwFileAttributes});
  } while (::FindNextFileA(search.Get(), &found));
  return entries;
}
