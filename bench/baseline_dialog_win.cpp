// The baseline of the bar start-up benchmark: the least a Win32 program can do
// to put a window on the screen — one empty modal dialog from a template held
// in memory, of the bar window template's size, in its own message loop.
//
// Built a second time with QR_BASELINE_IMPORTS (baseline_dialog_imports.exe),
// it loads the system libraries the program loads at start (comdlg32 waits
// for the program's first file, colour or font dialog) and its manifest, and
// does nothing else with them: what that costs in start-up time and memory is
// Windows' (here Wine's) share of the program's, not the program's own.
#include <windows.h>

#include <cstring>

#ifdef QR_BASELINE_IMPORTS
#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>

// Never called with this argument; it only makes the linker import the libraries.
void TouchImports(DWORD never) {
  if (never != 0xFFFFFFFFu) return;
  ::InitCommonControls();
  ::CoInitialize(nullptr);
  ::SHGetFileInfoA("", 0, nullptr, 0, 0);
  ::RegCloseKey(nullptr);
  ::CreateSolidBrush(0);
}
#endif

namespace {

// DLGTEMPLATE followed by the empty menu, class and title arrays (WORD aligned).
struct EmptyDialogTemplate {
  DLGTEMPLATE head;
  WORD menu = 0;
  WORD windowClass = 0;
  WCHAR title[16] = L"Baseline dialog";
};

INT_PTR CALLBACK EmptyDialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM) {
  switch (msg) {
    case WM_INITDIALOG:
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wp) == IDCANCEL || LOWORD(wp) == IDOK) ::EndDialog(hwnd, LOWORD(wp));
      return TRUE;
  }
  return FALSE;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
#ifdef QR_BASELINE_IMPORTS
  TouchImports(::GetTickCount());
#endif
  EmptyDialogTemplate dialog = {};
  dialog.head.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | DS_MODALFRAME;
  dialog.head.cx = 386;
  dialog.head.cy = 50;
  std::memcpy(dialog.title, L"Baseline dialog", sizeof(dialog.title));
  return static_cast<int>(::DialogBoxIndirectParamA(instance, &dialog.head, nullptr, EmptyDialogProc, 0));
}
