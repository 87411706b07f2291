// The baseline of the bar start-up benchmark: the least a Win32 program can do
// to put a window on the screen — one empty modal dialog from a template held
// in memory, of the bar window template's size, in its own message loop.
#include <windows.h>

#include <cstring>

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
  EmptyDialogTemplate dialog = {};
  dialog.head.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | DS_MODALFRAME;
  dialog.head.cx = 386;
  dialog.head.cy = 50;
  std::memcpy(dialog.title, L"Baseline dialog", sizeof(dialog.title));
  return static_cast<int>(::DialogBoxIndirectParamA(instance, &dialog.head, nullptr, EmptyDialogProc, 0));
}
