#include "platform/window_win.h"

#include <commctrl.h>

#include <set>
#include <string>

#include <cassert>

#include "platform/exception_barrier.h"

namespace {

constexpr UINT_PTR kSubclassId = 0x0E5A;

}  // namespace

HINSTANCE ResourceModule() { return ::GetModuleHandleA(nullptr); }

// --- WindowBase --------------------------------------------------------------

WindowBase::~WindowBase() {
  // The derived class should have destroyed its window (see the contract in the header).
  assert(!hwnd_ || !::IsWindow(hwnd_));
  if (!hwnd_) return;
  HWND hwnd = hwnd_;
  Unbind();
  if (::IsWindow(hwnd)) ::DestroyWindow(hwnd);
}

void WindowBase::Destroy() {
  if (hwnd_ && ::IsWindow(hwnd_)) ::DestroyWindow(hwnd_);
}

void WindowBase::Bind(HWND hwnd, Binding binding) {
  hwnd_ = hwnd;
  binding_ = binding;
  if (binding == Binding::kUserData) ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

void WindowBase::Unbind() {
  if (!hwnd_) return;
  if (binding_ == Binding::kUserData) ::SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
  if (binding_ == Binding::kSubclass) ::RemoveWindowSubclass(hwnd_, &Window::SubclassProc, kSubclassId);
  hwnd_ = nullptr;
  binding_ = Binding::kNone;
}

// --- Window ------------------------------------------------------------------

bool Window::Create(const char* className, const char* title, DWORD style, DWORD exStyle, int x,
                    int y, int width, int height, HWND parent, HMENU menuOrId, UINT classStyle,
                    HCURSOR cursor, HBRUSH background) {
  static std::set<std::string> registered;
  HINSTANCE instance = ResourceModule();
  if (!registered.count(className)) {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof(wc);
    wc.style = classStyle;
    wc.lpfnWndProc = &Window::StaticProc;
    wc.hInstance = instance;
    wc.hCursor = cursor ? cursor : ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = background;
    wc.lpszClassName = className;
    if (!::RegisterClassExA(&wc) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;
    registered.insert(className);
  }
  HWND hwnd = ::CreateWindowExA(exStyle, className, title, style, x, y, width, height, parent,
                                menuOrId, instance, this);
  return hwnd != nullptr;
}

bool Window::Subclass(HWND hwnd) {
  if (!hwnd || hwnd_) return false;
  if (!::SetWindowSubclass(hwnd, &Window::SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this))) {
    return false;
  }
  Bind(hwnd, Binding::kSubclass);
  return true;
}

LRESULT Window::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) { return DefaultProc(msg, wp, lp); }

LRESULT Window::DefaultProc(UINT msg, WPARAM wp, LPARAM lp) {
  if (binding_ == Binding::kSubclass) return ::DefSubclassProc(hwnd_, msg, wp, lp);
  return ::DefWindowProcA(hwnd_, msg, wp, lp);
}

LRESULT Window::GuardedHandle(UINT msg, WPARAM wp, LPARAM lp) {
  // An exception cannot unwind through the system's frames that called us: it
  // stops here, and the message gets the default answer instead, so a paint
  // still validates and a creation still goes on. The unbinding after
  // WM_NCDESTROY runs in any case.
  bool answered = false;
  const LRESULT result = Guarded("window procedure", LRESULT{0}, [&] {
    const LRESULT handled = HandleMessage(msg, wp, lp);
    answered = true;
    return handled;
  });
  return answered ? result : DefaultProc(msg, wp, lp);
}

LRESULT CALLBACK Window::StaticProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  Window* self = nullptr;
  if (msg == WM_NCCREATE) {
    self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams);
    self->Bind(hwnd, Binding::kUserData);
  } else {
    self = reinterpret_cast<Window*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  }
  if (!self) return ::DefWindowProcA(hwnd, msg, wp, lp);
  LRESULT result = self->GuardedHandle(msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    self->Unbind();
    self->OnFinalDestroy();
  }
  return result;
}

LRESULT CALLBACK Window::SubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR data) {
  auto* self = reinterpret_cast<Window*>(data);
  if (!self || self->hwnd_ != hwnd) return ::DefSubclassProc(hwnd, msg, wp, lp);
  LRESULT result = self->GuardedHandle(msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    self->Unbind();
    self->OnFinalDestroy();
  }
  return result;
}

// ---------------------------------------------------------------------------

INT_PTR Dialog::DoModal(HWND parent) {
  modal_ = true;
  INT_PTR result = ::DialogBoxParamA(ResourceModule(), MAKEINTRESOURCEA(templateId_), parent,
                                     &Dialog::StaticProc, reinterpret_cast<LPARAM>(this));
  modal_ = false;
  return result;
}

bool Dialog::CreateModeless(HWND parent) {
  modal_ = false;
  HWND hwnd = ::CreateDialogParamA(ResourceModule(), MAKEINTRESOURCEA(templateId_), parent,
                                   &Dialog::StaticProc, reinterpret_cast<LPARAM>(this));
  return hwnd != nullptr;
}

void Dialog::EndDialog(INT_PTR result) {
  if (!hwnd_) return;
  if (modal_) {
    ::EndDialog(hwnd_, result);
  } else {
    ::DestroyWindow(hwnd_);
  }
}

bool Dialog::HandleMessage(UINT msg, WPARAM wp, LPARAM lp, INT_PTR& result) {
  switch (msg) {
    case WM_INITDIALOG:
      result = OnInitDialog();
      return true;
    case WM_COMMAND: {
      int id = LOWORD(wp);
      int code = HIWORD(wp);
      if (OnCommand(id, code, reinterpret_cast<HWND>(lp))) {
        result = TRUE;
        return true;
      }
      if (id == IDOK) {
        OnOK();
        result = TRUE;
        return true;
      }
      if (id == IDCANCEL) {
        OnCancel();
        result = TRUE;
        return true;
      }
      return false;
    }
    case WM_NOTIFY:
      result = OnNotify(reinterpret_cast<NMHDR*>(lp));
      ::SetWindowLongPtrA(hwnd_, DWLP_MSGRESULT, result);
      return true;
    default:
      return false;
  }
}

INT_PTR CALLBACK Dialog::StaticProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  Dialog* self = nullptr;
  if (msg == WM_INITDIALOG) {
    self = reinterpret_cast<Dialog*>(lp);
    self->Bind(hwnd, Binding::kUserData);
  } else {
    self = reinterpret_cast<Dialog*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  }
  if (!self) return FALSE;
  INT_PTR result = FALSE;
  // What is thrown stops here; the message then counts as not handled.
  const bool handled = Guarded("dialog procedure", false, [&] { return self->HandleMessage(msg, wp, lp, result); });
  if (msg == WM_NCDESTROY) {
    self->Unbind();
    self->OnFinalDestroy();
    return FALSE;
  }
  return DialogProcResult(hwnd, msg, handled, result);
}

INT_PTR DialogProcResult(HWND hwnd, UINT msg, bool handled, INT_PTR result) {
  // Messages whose result is the return value itself rather than DWLP_MSGRESULT.
  switch (msg) {
    case WM_CTLCOLORMSGBOX: case WM_CTLCOLOREDIT: case WM_CTLCOLORLISTBOX: case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG: case WM_CTLCOLORSCROLLBAR: case WM_CTLCOLORSTATIC: case WM_INITDIALOG:
    case WM_QUERYDRAGICON: case WM_COMPAREITEM: case WM_VKEYTOITEM: case WM_CHARTOITEM:
      return handled ? result : FALSE;
    default:
      if (handled && msg != WM_NOTIFY) ::SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, result);
      return handled ? TRUE : FALSE;
  }
}

void Dialog::Exchange(bool save, int id, std::string& value) {
  if (save) {
    int length = ::GetWindowTextLengthA(Item(id));
    std::string text(static_cast<size_t>(length) + 1, '\0');
    int copied = ::GetDlgItemTextA(hwnd_, id, text.data(), length + 1);
    text.resize(static_cast<size_t>(copied));
    value = text;
  } else {
    ::SetDlgItemTextA(hwnd_, id, value.c_str());
  }
}

void Dialog::ExchangeCheck(bool save, int id, int& value) {
  if (save) {
    value = ::IsDlgButtonChecked(hwnd_, id) == BST_CHECKED ? 1 : 0;
  } else {
    ::CheckDlgButton(hwnd_, id, value ? BST_CHECKED : BST_UNCHECKED);
  }
}

void Dialog::ExchangeComboIndex(bool save, int id, int& value) {
  if (save) {
    value = static_cast<int>(::SendDlgItemMessageA(hwnd_, id, CB_GETCURSEL, 0, 0));
  } else {
    ::SendDlgItemMessageA(hwnd_, id, CB_SETCURSEL, static_cast<WPARAM>(value), 0);
  }
}

void Dialog::ExchangeInt(bool save, int id, int& value) {
  if (save) {
    BOOL ok = FALSE;
    int read = static_cast<int>(::GetDlgItemInt(hwnd_, id, &ok, TRUE));
    if (ok) value = read;
  } else {
    ::SetDlgItemInt(hwnd_, id, static_cast<UINT>(value), TRUE);
  }
}
