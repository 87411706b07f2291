#include "support/message_window_win.h"

#include <utility>

MessageWindow::MessageWindow(UINT message, Handler handler) : message_(message), handler_(std::move(handler)) {
  static const ATOM atom = [] {
    WNDCLASSA type = {};
    type.lpfnWndProc = &MessageWindow::Proc;
    type.hInstance = ::GetModuleHandleA(nullptr);
    type.lpszClassName = "QrTestMessageWindow";
    return ::RegisterClassA(&type);
  }();
  hwnd_ = ::CreateWindowA(reinterpret_cast<LPCSTR>(static_cast<ULONG_PTR>(atom)), "", 0, 0, 0, 0, 0, HWND_MESSAGE,
                          nullptr, ::GetModuleHandleA(nullptr), nullptr);
  ::SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

MessageWindow::~MessageWindow() {
  if (hwnd_) ::DestroyWindow(hwnd_);
}

LRESULT CALLBACK MessageWindow::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* self = reinterpret_cast<MessageWindow*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (self && msg == self->message_ && self->handler_) self->handler_(wp);
  return ::DefWindowProcA(hwnd, msg, wp, lp);
}
