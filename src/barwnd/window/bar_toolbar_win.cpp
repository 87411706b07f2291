#include "barwnd/window/bar_toolbar_win.h"

namespace {

// Raised buttons ("FlatButtons" = 0) on a system with visual styles: the style
// draws every toolbar button flat, so it is turned off for this control alone.
// Before Windows XP there is no uxtheme.dll and the buttons are raised anyway.
void DrawWithoutVisualStyle(HWND toolbar) {
  using SetWindowThemeFn = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);
  UniqueModule uxtheme(::LoadLibraryA("uxtheme.dll"));
  if (!uxtheme) return;
  auto setTheme = reinterpret_cast<SetWindowThemeFn>(
      reinterpret_cast<void*>(::GetProcAddress(uxtheme.Get(), "SetWindowTheme")));
  if (setTheme) setTheme(toolbar, L"", L"");
}

}  // namespace

bool BarToolbar::Create(HWND parent, int id, const Look& look, const std::vector<TBBUTTON>& buttons) {
  // The bar lays its children out itself: no resizing or aligning by the control.
  // The bar's one tooltip control carries the tips, so the toolbar makes none of its own.
  DWORD style = WS_CHILD | WS_VISIBLE | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER;
  if (look.flat) style |= TBSTYLE_FLAT;
  HWND hwnd = ::CreateWindowExA(0, TOOLBARCLASSNAMEA, "", style, 0, 0, 0, 0, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ResourceModule(), nullptr);
  if (!hwnd) return false;
  brush_.Reset(::CreateSolidBrush(look.background));
  if (!Subclass(hwnd)) {
    ::DestroyWindow(hwnd);
    return false;
  }
  if (!look.flat) DrawWithoutVisualStyle(hwnd);
  ::SendMessageA(hwnd, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  ::SendMessageA(hwnd, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(look.images));
  ::SendMessageA(hwnd, TB_SETBITMAPSIZE, 0, MAKELPARAM(look.image.cx, look.image.cy));
  ::SendMessageA(hwnd, TB_SETBUTTONSIZE, 0, MAKELPARAM(look.button.cx, look.button.cy));
  if (!buttons.empty()) {
    ::SendMessageA(hwnd, TB_ADDBUTTONSA, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
  }
  return true;
}

void BarToolbar::Place(const Rect& rect) {
  ::SetWindowPos(Hwnd(), nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void BarToolbar::SetBackground(COLORREF colour) {
  brush_.Reset(::CreateSolidBrush(colour));
  if (Hwnd()) ::InvalidateRect(Hwnd(), nullptr, TRUE);
}

int BarToolbar::ButtonCount() const {
  return Hwnd() ? static_cast<int>(::SendMessageA(Hwnd(), TB_BUTTONCOUNT, 0, 0)) : 0;
}

LRESULT BarToolbar::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (LRESULT taken = 0; watcher_ && watcher_(Hwnd(), msg, wp, lp, taken)) return taken;
  switch (msg) {
    case WM_ERASEBKGND: {
      RECT client;
      ::GetClientRect(Hwnd(), &client);
      ::FillRect(reinterpret_cast<HDC>(wp), &client, brush_.Get());
      return 1;
    }
    case WM_NOTIFY:
      // The bar's tooltip asks the tool's window (this toolbar) for texts the
      // bar window knows.
      return ::SendMessageA(::GetParent(Hwnd()), WM_NOTIFY, wp, lp);
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
      return reinterpret_cast<LRESULT>(brush_.Get());
  }
  return DefaultProc(msg, wp, lp);
}

std::optional<LRESULT> AnswerBeforeItemPostPaint(const NMCUSTOMDRAW& draw) {
  switch (draw.dwDrawStage) {
    case CDDS_PREPAINT: return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT: return CDRF_NOTIFYPOSTPAINT;
    case CDDS_ITEMPOSTPAINT: return std::nullopt;
    default: return CDRF_DODEFAULT;
  }
}
