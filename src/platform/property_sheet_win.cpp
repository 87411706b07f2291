#include "platform/property_sheet_win.h"

#include <cstddef>

namespace {

// The sheet being created on this thread: PropertySheetA's callback has no
// pointer of its own to hand back.
thread_local PropertySheet* g_creating = nullptr;

// The head of an extended dialog template (DLGTEMPLATEEX), which the system
// headers do not declare; a plain DLGTEMPLATE starts with its style.
#pragma pack(push, 2)
struct DialogTemplateExHead {
  WORD version;
  WORD signature;  // kExtendedSignature in an extended template
  DWORD helpId;
  DWORD exStyle;
  DWORD style;
};
#pragma pack(pop)
constexpr WORD kExtendedSignature = 0xFFFF;
static_assert(offsetof(DialogTemplateExHead, style) == 12, "the style follows version, signature, help id, ex style");

// The style of the dialog template at `head`, plain or extended.
DWORD& TemplateStyle(void* head) {
  auto* extended = static_cast<DialogTemplateExHead*>(head);
  if (extended->signature == kExtendedSignature) return extended->style;
  return static_cast<DLGTEMPLATE*>(head)->style;
}

}  // namespace

// --- PropertyPage ------------------------------------------------------------------

PROPSHEETPAGEA PropertyPage::Describe() {
  PROPSHEETPAGEA page = {};
  page.dwSize = sizeof(page);
  page.dwFlags = PSP_DEFAULT;  // the tab's title is the template's caption
  page.hInstance = ResourceModule();
  page.pszTemplate = MAKEINTRESOURCEA(TemplateId());
  page.pfnDlgProc = &PropertyPage::StaticProc;
  page.lParam = reinterpret_cast<LPARAM>(this);
  return page;
}

bool PropertyPage::HandleMessage(UINT msg, WPARAM wp, LPARAM lp, INT_PTR& result) {
  if (msg == WM_HELP) {
    if (!OnHelp()) return false;
    result = TRUE;
    return true;
  }
  const auto* hdr = reinterpret_cast<const NMHDR*>(lp);
  if (msg != WM_NOTIFY || (hdr->code != static_cast<UINT>(PSN_APPLY) && hdr->code != static_cast<UINT>(PSN_RESET))) {
    return Dialog::HandleMessage(msg, wp, lp, result);
  }
  if (hdr->code == static_cast<UINT>(PSN_APPLY)) {
    result = OnApply() ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE;
  } else {
    OnReset();
    result = 0;
  }
  ::SetWindowLongPtrA(Hwnd(), DWLP_MSGRESULT, result);
  return true;
}

INT_PTR CALLBACK PropertyPage::StaticProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  // The sheet hands the page its own copy of the description.
  PropertyPage* created =
      msg == WM_INITDIALOG ? reinterpret_cast<PropertyPage*>(reinterpret_cast<PROPSHEETPAGEA*>(lp)->lParam) : nullptr;
  return Route(hwnd, msg, wp, lp, created);
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
    TemplateStyle(reinterpret_cast<void*>(lp)) |= DS_CENTER;
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
