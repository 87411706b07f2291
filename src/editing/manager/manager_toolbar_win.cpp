#include "editing/manager/manager_toolbar_win.h"

#include "editing_ids.h"
#include "platform/window_win.h"

namespace {

constexpr int kCommands[ManagerToolbar::kButtonCount] = {
    ID_MGR_ADD_BUTTON, ID_MGR_ADD_BAR,  ID_MGR_ADD_PRESET, ID_MGR_SEPARATOR,
    ID_MGR_DELETE,     ID_MGR_MOVE_DOWN, ID_MGR_MOVE_UP,   ID_MGR_SPARE};
constexpr size_t kTipLength = 80;

bool IsToolbarCommand(UINT_PTR id) {
  for (int command : kCommands)
    if (static_cast<UINT_PTR>(command) == id) return true;
  return false;
}

}  // namespace

bool ManagerToolbar::Create(HWND dialog, const ManagerToolbarLayout& layout) {
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_BAR_CLASSES};
  ::InitCommonControlsEx(&controls);
  // Placed by hand: top-aligned, but neither stretched to the dialog's width
  // nor moved to its edge.
  const Rect& place = layout.place;
  hwnd_ = ::CreateWindowExA(0, TOOLBARCLASSNAMEA, nullptr,
                            WS_CHILD | WS_VISIBLE | TBSTYLE_TOOLTIPS | TBSTYLE_FLAT | CCS_TOP | CCS_NORESIZE |
                                CCS_NOPARENTALIGN | CCS_NODIVIDER,
                            place.left, place.top, place.Width(), place.Height(), dialog,
                            reinterpret_cast<HMENU>(IDC_MGR_TOOLBAR), ResourceModule(), nullptr);
  if (!hwnd_) return false;
  ::SendMessageA(hwnd_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  Rescale(layout);
  TBBUTTON buttons[kButtonCount] = {};
  for (int i = 0; i < kButtonCount; ++i) {
    buttons[i].iBitmap = i;
    buttons[i].idCommand = kCommands[i];
    buttons[i].fsState = TBSTATE_ENABLED;
    buttons[i].fsStyle = BTNS_BUTTON;
    buttons[i].iString = -1;
  }
  ::SendMessageA(hwnd_, TB_ADDBUTTONSA, kButtonCount, reinterpret_cast<LPARAM>(buttons));
  return true;
}

void ManagerToolbar::Rescale(const ManagerToolbarLayout& layout) {
  if (!hwnd_) return;
  const Rect& place = layout.place;
  ::SetWindowPos(hwnd_, nullptr, place.left, place.top, place.Width(), place.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
  ::SendMessageA(hwnd_, TB_SETBITMAPSIZE, 0, MAKELPARAM(layout.image.cx, layout.image.cy));
  ::SendMessageA(hwnd_, TB_SETBUTTONSIZE, 0, MAKELPARAM(layout.button.cx, layout.button.cy));
  LoadPictures(layout.image, layout.bitmap);
  ::InvalidateRect(hwnd_, nullptr, TRUE);
}

void ManagerToolbar::LoadPictures(Size image, int bitmap) {
  // The pictures are drawn at 100, 125, 150 and 200 %: the drawing for the
  // scale is loaded, made smaller by the system only between those scales.
  // The picture's light grey is its background: masked out, the buttons show
  // whatever face colour the system gives them (a colour-mapped bitmap would
  // need a palette, which the picture does not have).
  UniqueBitmap picture(static_cast<HBITMAP>(::LoadImageA(ResourceModule(), MAKEINTRESOURCEA(bitmap),
                                                         IMAGE_BITMAP, kButtonCount * image.cx, image.cy,
                                                         LR_CREATEDIBSECTION)));
  UniqueImageList fresh(::ImageList_Create(image.cx, image.cy, ILC_COLOR24 | ILC_MASK, kButtonCount, 0));
  if (picture && fresh) ::ImageList_AddMasked(fresh.Get(), picture.Get(), RGB(0xC0, 0xC0, 0xC0));
  ::SendMessageA(hwnd_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(fresh.Get()));
  // The tool bar no longer shows the old list, so it can go.
  images_ = std::move(fresh);
}

std::string ManagerToolbar::TipText(int commandId) {
  char text[kTipLength + 1] = {};
  const int length = ::LoadStringA(ResourceModule(), static_cast<UINT>(commandId), text, sizeof(text));
  return std::string(text, length > 0 ? static_cast<size_t>(length) : 0);
}

bool ManagerToolbar::FillTip(NMHDR* hdr) {
  if ((hdr->code != TTN_GETDISPINFOA && hdr->code != TTN_GETDISPINFOW) || !IsToolbarCommand(hdr->idFrom))
    return false;
  const std::string tip = TipText(static_cast<int>(hdr->idFrom));
  if (hdr->code == TTN_GETDISPINFOA) {
    auto* info = reinterpret_cast<NMTTDISPINFOA*>(hdr);
    info->hinst = nullptr;
    lstrcpynA(info->szText, tip.c_str(), sizeof(info->szText));
    info->lpszText = info->szText;
  } else {
    // The tip control may ask in UTF-16; the text is converted from the code page.
    auto* info = reinterpret_cast<NMTTDISPINFOW*>(hdr);
    info->hinst = nullptr;
    info->szText[0] = L'\0';
    const int written = ::MultiByteToWideChar(CP_ACP, 0, tip.c_str(), static_cast<int>(tip.size()), info->szText,
                                              static_cast<int>(sizeof(info->szText) / sizeof(WCHAR)) - 1);
    info->szText[written > 0 ? written : 0] = L'\0';
    info->lpszText = info->szText;
  }
  return true;
}
