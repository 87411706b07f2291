// A message-only window for tests of code that posts its answers to a window:
// every `message` that arrives goes to the handler with its wParam.
#pragma once

#include <windows.h>

#include <functional>

class MessageWindow {
 public:
  using Handler = std::function<void(WPARAM wParam)>;

  MessageWindow(UINT message, Handler handler);
  ~MessageWindow();
  MessageWindow(const MessageWindow&) = delete;
  MessageWindow& operator=(const MessageWindow&) = delete;

  HWND Hwnd() const { return hwnd_; }

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

  UINT message_;
  Handler handler_;
  HWND hwnd_ = nullptr;
};
