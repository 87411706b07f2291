#include "barwnd/window/bar_tooltip_win.h"

#include <commctrl.h>

#include "platform/window_win.h"
#include "platform/geometry_win.h"

namespace {

TOOLINFOA Tool(HWND control, UINT id) {
  TOOLINFOA info = {};
  info.cbSize = sizeof(info);
  info.hwnd = control;
  info.uId = id;
  return info;
}

}  // namespace

BarTooltip::~BarTooltip() {
  if (hwnd_ && ::IsWindow(hwnd_)) ::DestroyWindow(hwnd_);
}

bool BarTooltip::Create(int dpi) {
  // Not owned by the bar: a topmost popup owned by a window keeps that window
  // from becoming topmost itself under Wine, and an autohide bar must be
  // topmost. This object destroys the tooltip instead of its owner.
  hwnd_ = ::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, ResourceModule(), nullptr);
  if (!hwnd_) return false;
  ::SendMessageA(hwnd_, TTM_SETDELAYTIME, TTDT_INITIAL, MAKELPARAM(kInitialDelayMs, 0));
  SetMaxWidth(dpi);
  return true;
}

void BarTooltip::Activate(bool on) {
  if (hwnd_) ::SendMessageA(hwnd_, TTM_ACTIVATE, on ? TRUE : FALSE, 0);
}

void BarTooltip::AddTool(HWND control, UINT id, const Rect& rect, const std::string& text) {
  if (!hwnd_) return;
  TOOLINFOA info = Tool(control, id);
  info.uFlags = TTF_SUBCLASS;
  info.rect = ToRECT(rect);
  info.lpszText = const_cast<char*>(text.c_str());
  ::SendMessageA(hwnd_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
}

void BarTooltip::AddCallbackTool(HWND control, UINT id, const Rect& rect) {
  if (!hwnd_) return;
  TOOLINFOA info = Tool(control, id);
  info.uFlags = TTF_SUBCLASS;
  info.rect = ToRECT(rect);
  info.lpszText = LPSTR_TEXTCALLBACKA;
  ::SendMessageA(hwnd_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
}

void BarTooltip::RemoveTool(HWND control, UINT id) {
  if (!hwnd_) return;
  TOOLINFOA info = Tool(control, id);
  ::SendMessageA(hwnd_, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&info));
}

void BarTooltip::UpdateText(HWND control, UINT id, const std::string& text) {
  if (!hwnd_) return;
  TOOLINFOA info = Tool(control, id);
  info.lpszText = const_cast<char*>(text.c_str());
  ::SendMessageA(hwnd_, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&info));
}

void BarTooltip::SetMaxWidth(int dpi) {
  if (hwnd_) ::SendMessageA(hwnd_, TTM_SETMAXTIPWIDTH, 0, ScalePx(kMaxTipWidth, dpi));
}
