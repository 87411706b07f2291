#include "platform/window_win.h"

#include <map>
#include <string>

#include <cassert>

#include "platform/exception_barrier.h"

namespace {

// How a window class was registered; a name is registered with one look only.
struct ClassLook {
  UINT style;
  HCURSOR cursor;
  HBRUSH background;
  friend bool operator==(const ClassLook&, const ClassLook&) = default;
};

// Registers `className` on first use; true when the class exists as asked.
bool EnsureClass(const char* className, const ClassLook& look, WNDPROC proc) {
  static std::map<std::string, ClassLook> registered;
  const auto known = registered.find(className);
  if (known != registered.end()) {
    assert(known->second == look && "a window class registered twice with different looks");
    return known->second == look;
  }
  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof(wc);
  wc.style = look.style;
  wc.lpfnWndProc = proc;
  wc.hInstance = ResourceModule();
  wc.hCursor = look.cursor ? look.cursor : ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  wc.hbrBackground = look.background;
  wc.lpszClassName = className;
  if (!::RegisterClassExA(&wc) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;
  registered.emplace(className, look);
  return true;
}

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

WindowBase* WindowBase::Bound(HWND hwnd, WindowBase* created) {
  if (created) {
    created->hwnd_ = hwnd;
    ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
    return created;
  }
  return reinterpret_cast<WindowBase*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

bool WindowBase::BindSubclass(HWND hwnd, SUBCLASSPROC proc) {
  if (!hwnd || hwnd_) return false;
  if (!::SetWindowSubclass(hwnd, proc, reinterpret_cast<UINT_PTR>(this), reinterpret_cast<DWORD_PTR>(this))) {
    return false;
  }
  hwnd_ = hwnd;
  subclassProc_ = proc;
  return true;
}

void WindowBase::AfterMessage(UINT msg) {
  if (msg != WM_NCDESTROY) return;
  Unbind();
  OnFinalDestroy();
}

void WindowBase::Unbind() {
  if (!hwnd_) return;
  if (IsSubclass()) {
    ::RemoveWindowSubclass(hwnd_, subclassProc_, reinterpret_cast<UINT_PTR>(this));
  } else if (::GetWindowLongPtrA(hwnd_, GWLP_USERDATA) == reinterpret_cast<LONG_PTR>(this)) {
    ::SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
  }
  hwnd_ = nullptr;
  subclassProc_ = nullptr;
}

// --- Window ------------------------------------------------------------------

bool Window::Create(const char* className, const char* title, DWORD style, DWORD exStyle, int x,
                    int y, int width, int height, HWND parent, HMENU menuOrId, UINT classStyle,
                    HCURSOR cursor, HBRUSH background) {
  if (!EnsureClass(className, {classStyle, cursor, background}, &Window::StaticProc)) return false;
  HWND hwnd = ::CreateWindowExA(exStyle, className, title, style, x, y, width, height, parent,
                                menuOrId, ResourceModule(), static_cast<WindowBase*>(this));
  return hwnd != nullptr;
}

bool Window::Subclass(HWND hwnd) { return BindSubclass(hwnd, &Window::SubclassProc); }

LRESULT Window::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) { return DefaultProc(msg, wp, lp); }

LRESULT Window::DefaultProc(UINT msg, WPARAM wp, LPARAM lp) {
  if (IsSubclass()) return ::DefSubclassProc(Hwnd(), msg, wp, lp);
  return ::DefWindowProcA(Hwnd(), msg, wp, lp);
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
  WindowBase* created =
      msg == WM_NCCREATE ? static_cast<WindowBase*>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams) : nullptr;
  auto* self = static_cast<Window*>(Bound(hwnd, created));
  if (!self) return ::DefWindowProcA(hwnd, msg, wp, lp);
  const LRESULT result = self->GuardedHandle(msg, wp, lp);
  self->AfterMessage(msg);
  return result;
}

LRESULT CALLBACK Window::SubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR data) {
  auto* self = static_cast<Window*>(reinterpret_cast<WindowBase*>(data));
  if (!self || self->Hwnd() != hwnd) return ::DefSubclassProc(hwnd, msg, wp, lp);
  const LRESULT result = self->GuardedHandle(msg, wp, lp);
  self->AfterMessage(msg);
  return result;
}

// --- Dialog ------------------------------------------------------------------

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
  if (!Hwnd()) return;
  if (modal_) {
    ::EndDialog(Hwnd(), result);
  } else {
    ::DestroyWindow(Hwnd());
  }
}

bool Dialog::HandleMessage(UINT msg, WPARAM wp, LPARAM lp, INT_PTR& result) {
  switch (msg) {
    case WM_INITDIALOG:
      result = OnInitDialog();
      return true;
    case WM_COMMAND:
      if (!RouteCommand(LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp))) return false;
      result = TRUE;
      return true;
    case WM_NOTIFY:
      result = OnNotify(reinterpret_cast<NMHDR*>(lp));
      ::SetWindowLongPtrA(Hwnd(), DWLP_MSGRESULT, result);
      return true;
    default:
      return false;
  }
}

bool Dialog::RouteCommand(int id, int code, HWND control) {
  if (OnCommand(id, code, control)) return true;
  if (!EndsByOkCancel()) return false;
  if (id == IDOK) {
    OnOK();
    return true;
  }
  if (id == IDCANCEL) {
    OnCancel();
    return true;
  }
  return false;
}

INT_PTR CALLBACK Dialog::StaticProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  return Route(hwnd, msg, wp, lp, msg == WM_INITDIALOG ? reinterpret_cast<Dialog*>(lp) : nullptr);
}

INT_PTR Dialog::Route(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, Dialog* created) {
  auto* self = static_cast<Dialog*>(Bound(hwnd, created));
  if (!self) return FALSE;
  INT_PTR result = FALSE;
  // What is thrown stops here; the message then counts as not handled.
  const bool handled = Guarded("dialog procedure", false, [&] { return self->HandleMessage(msg, wp, lp, result); });
  self->AfterMessage(msg);
  if (msg == WM_NCDESTROY) return FALSE;
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

// --- Dialog controls -----------------------------------------------------------

std::string Dialog::ItemText(int id) const {
  const int length = ::GetWindowTextLengthA(Item(id));
  std::string text(static_cast<size_t>(length) + 1, '\0');
  text.resize(static_cast<size_t>(::GetDlgItemTextA(Hwnd(), id, text.data(), length + 1)));
  return text;
}

void Dialog::SetItemText(int id, const std::string& text) { ::SetDlgItemTextA(Hwnd(), id, text.c_str()); }

bool Dialog::IsChecked(int id) const { return ::IsDlgButtonChecked(Hwnd(), id) == BST_CHECKED; }

void Dialog::SetChecked(int id, bool checked) {
  ::CheckDlgButton(Hwnd(), id, checked ? BST_CHECKED : BST_UNCHECKED);
}

int Dialog::ListSelection(int id) const {
  return static_cast<int>(::SendDlgItemMessageA(Hwnd(), id, CB_GETCURSEL, 0, 0));
}

void Dialog::SetListSelection(int id, int index) {
  ::SendDlgItemMessageA(Hwnd(), id, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

std::optional<int> Dialog::ItemNumber(int id) const {
  BOOL ok = FALSE;
  const int read = static_cast<int>(::GetDlgItemInt(Hwnd(), id, &ok, TRUE));
  return ok ? std::optional<int>(read) : std::nullopt;
}

void Dialog::SetItemNumber(int id, int value) { ::SetDlgItemInt(Hwnd(), id, static_cast<UINT>(value), TRUE); }
