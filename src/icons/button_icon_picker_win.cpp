#include "icons/button_icon_picker_win.h"

#include "platform/handles_win.h"
#include "platform/text_win.h"

namespace {

constexpr int kPathCapacity = 260;
// The picker is exported from shell32 under this ordinal only.
constexpr WORD kPickIconOrdinal = 62;

bool IsWin9x() { return (::GetVersion() & 0x80000000u) != 0; }

// The picker answers -1 when its dialog could not be shown; only a positive
// answer is a choice.
bool Chose(int answer) { return answer > 0; }

int PickNarrow(IconPickerEntry pick, HWND owner, std::string& iconFile, int& iconIndex) {
  char path[kPathCapacity] = {};
  lstrcpynA(path, iconFile.c_str(), kPathCapacity);
  int index = iconIndex;
  if (!Chose(pick(owner, path, kPathCapacity, &index))) return 0;
  path[kPathCapacity - 1] = '\0';
  iconFile = path;
  iconIndex = index;
  return 1;
}

int PickWide(IconPickerEntry pick, HWND owner, std::string& iconFile, int& iconIndex) {
  wchar_t path[kPathCapacity] = {};
  // A longer path is cut to what the picker's buffer holds.
  CopyWideFromAnsi(iconFile, path, kPathCapacity);
  int index = iconIndex;
  if (!Chose(pick(owner, path, kPathCapacity, &index))) return 0;
  path[kPathCapacity - 1] = L'\0';
  char narrow[kPathCapacity * 2] = {};
  if (!::WideCharToMultiByte(CP_ACP, 0, path, -1, narrow, sizeof(narrow), nullptr, nullptr)) return 0;
  iconFile = narrow;
  iconIndex = index;
  return 1;
}

}  // namespace

int PickButtonIconWith(IconPickerEntry pick, bool wideText, HWND owner, std::string& iconFile, int& iconIndex) {
  if (!pick) return 0;
  return wideText ? PickWide(pick, owner, iconFile, iconIndex) : PickNarrow(pick, owner, iconFile, iconIndex);
}

int PickButtonIcon(HWND owner, std::string& iconFile, int& iconIndex) {
  UniqueModule shell32(::LoadLibraryA("Shell32.dll"));
  if (!shell32) return 0;
  auto pick = reinterpret_cast<IconPickerEntry>(
      reinterpret_cast<void*>(::GetProcAddress(shell32.Get(), MAKEINTRESOURCEA(kPickIconOrdinal))));
  return PickButtonIconWith(pick, !IsWin9x(), owner, iconFile, iconIndex);
}
