#include "platform/common_dialogs_win.h"

namespace {

// Loaded once and kept for the run: the dialogs are opened again and again.
HMODULE DialogLibrary() {
  static HMODULE library = ::LoadLibraryA("comdlg32.dll");
  return library;
}

template <typename Record>
BOOL Call(const char* name, Record* record) {
  using Function = BOOL(WINAPI*)(Record*);
  HMODULE library = DialogLibrary();
  auto function = library ? reinterpret_cast<Function>(
                                reinterpret_cast<void*>(::GetProcAddress(library, name)))
                          : nullptr;
  return function ? function(record) : FALSE;
}

}  // namespace

BOOL ShowOpenFileDialog(OPENFILENAMEA* record) { return Call("GetOpenFileNameA", record); }
BOOL ShowSaveFileDialog(OPENFILENAMEA* record) { return Call("GetSaveFileNameA", record); }
BOOL ShowColorDialog(CHOOSECOLORA* record) { return Call("ChooseColorA", record); }
BOOL ShowFontDialog(CHOOSEFONTA* record) { return Call("ChooseFontA", record); }
