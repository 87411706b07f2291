#include "platform/property_sheet_win.h"

#include "platform/exception_barrier.h"

namespace {

// The sheet being created on this thread: PropertySheetA's callback has no
// pointer of its own to hand back.
thread_local PropertySheet* g_creating = nullptr;

}  // namespace

// --- PropertyPage ------------------------------------------------------------------

PropertyPage::~PropertyPage() {
  if (hwnd_ && ::IsWindow(hwnd_)) {
    ::SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
    ::DestroyWindow(hwnd_);
  }
}

PROPSHEETPAGEA PropertyPage::Describe() {
  PROPSHEETPAGEA page = {};
  page.dwSize = sizeof(page);
  page.dwFlags = PSP_DEFAULT;  // the tab's title is the template's caption
  page.hInstance = ResourceModule();
  page.pszTemplate = MAKEINTRESOURCEA(templateId_);
  page.pfnDlgProc = &PropertyPage::StaticProc;
  page.lParam = reinterpret_cast<LPARAM>(this);
  return page;
}

bool PropertyPage::HandleMessage(UINT msg, WPARAM wp, LPARAM lp, INT_PTR& result) {
  switch (msg) {
    case WM_INITDIALOG:
      result = OnInitDialog();
      return true;
    case WM_COMMAND:
      if (!OnCommand(LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp))) return false;
      result = TRUE;
      return true;
    case WM_NOTIFY: {
      auto* hdr = reinterpret_cast<NMHDR*>(lp);
      switch (hdr->code) {
        case PSN_APPLY:
          result = OnApply() ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE;
          break;
        case PSN_RESET:
          OnReset();
          result = 0;
          break;
        default:
          result = OnNotify(hdr);
          break;
      }
      ::SetWindowLongPtrA(hwnd_, DWLP_MSGRESULT, result);
      return true;
    }
    case WM_HELP:
      if (!OnHelp()) return false;
      result = TRUE;
      return true;
    default:
      return false;
  }
}

INT_PTR CALLBACK PropertyPage::StaticProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  PropertyPage* self = nullptr;
  if (msg == WM_INITDIALOG) {
    // The sheet hands the page its own copy of the description.
    self = reinterpret_cast<PropertyPage*>(reinterpret_cast<PROPSHEETPAGEA*>(lp)->lParam);
    self->hwnd_ = hwnd;
    ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<PropertyPage*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  }
  if (!self) return FALSE;
  INT_PTR result = FALSE;
  // What is thrown stops here; the message then counts as not handled.
  const bool handled = Guarded("property page procedure", false, [&] { return self->HandleMessage(msg, wp, lp, result); });
  if (msg == WM_NCDESTROY) {
    ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    return FALSE;
  }
  return DialogProcResult(hwnd, msg, handled, result);
}

// --- PropertySheet -----------------------------------------------------------------

PropertySheet::~PropertySheet() { Destroy(); }

INT_PTR PropertySheet::DoModal(HWND owner) { return Run(owner, false); }

bool PropertySheet::CreateModeless(HWND owner) { return Run(owner, true) != 0 && Hwnd(); }

INT_PTR PropertySheet::Run(HWND owner, bool modeless) {
  std::vector<PROPSHEETPAGEA> pages;
  for (PropertyPage* page : pages_) pages.push_back(page->Describe());

  PROPSHEETHEADERA header = {};
  header.dwSize = sizeof(header);
  header.dwFlags = PSH_PROPSHEETPAGE | PSH_USECALLBACK | PSH_NOCONTEXTHELP | (modeless ? PSH_MODELESS : 0);
  header.hwndParent = owner;
  header.hInstance = ResourceModule();
  header.pszCaption = caption_.c_str();
  header.nPages = static_cast<UINT>(pages.size());
  header.nStartPage = 0;
  header.ppsp = pages.data();
  header.pfnCallback = &PropertySheet::Callback;

  PropertySheet* outer = g_creating;
  g_creating = this;
  const INT_PTR result = ::PropertySheetA(&header);
  g_creating = outer;
  return result;
}

int CALLBACK PropertySheet::Callback(HWND hwnd, UINT msg, LPARAM lp) {
  if (msg == PSCB_PRECREATE && lp) {
    // Centred on the screen rather than at its corner, where it would cover
    // whatever its owner shows along the top.
    auto* words = reinterpret_cast<WORD*>(lp);
    const bool extended = words[1] == 0xFFFF;  // DLGTEMPLATEEX: style after version, signature, help id, ex style
    DWORD* style = extended ? reinterpret_cast<DWORD*>(lp + 12) : reinterpret_cast<DWORD*>(lp);
    *style |= DS_CENTER;
  }
  if (msg == PSCB_INITIALIZED && g_creating) {
    g_creating->frame_.Subclass(hwnd);
    // Later sheets of a nested run must not take this one's place.
    g_creating = nullptr;
  }
  return 0;
}

bool PropertySheet::Finished() const {
  return !Hwnd() || ::SendMessageA(Hwnd(), PSM_GETCURRENTPAGEHWND, 0, 0) == 0;
}

void PropertySheet::Destroy() { frame_.Destroy(); }

HWND PropertySheet::CurrentPage() const {
  return Hwnd() ? reinterpret_cast<HWND>(::SendMessageA(Hwnd(), PSM_GETCURRENTPAGEHWND, 0, 0)) : nullptr;
}

bool PropertySheet::SetActivePage(int index) {
  return Hwnd() && ::SendMessageA(Hwnd(), PSM_SETCURSEL, static_cast<WPARAM>(index), 0) != 0;
}

LRESULT PropertySheet::Frame::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_HELP) {
    // From the tabs or the buttons; the page's own controls go to the page first.
    // What the page's controls send and the page leaves unhandled comes up here
    // too; that must not go round again.
    HWND page = reinterpret_cast<HWND>(::SendMessageA(Hwnd(), PSM_GETCURRENTPAGEHWND, 0, 0));
    HWND item = static_cast<HWND>(reinterpret_cast<HELPINFO*>(lp)->hItemHandle);
    if (page && item != page && !::IsChild(page, item)) return ::SendMessageA(page, WM_HELP, wp, lp);
  }
  return DefaultProc(msg, wp, lp);
}
