// Answers the next message box of this process from another thread and
// reports its text: for code that shows a modal box while a test waits on it.
#pragma once

#include <windows.h>

#include <future>
#include <string>
#include <thread>

struct MessageBoxSearch {
  const char* title;
  HWND found;
};

inline BOOL CALLBACK MatchMessageBox(HWND hwnd, LPARAM lp) {
  auto* s = reinterpret_cast<MessageBoxSearch*>(lp);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(hwnd, &pid);
  char cls[32] = {};
  char text[128] = {};
  ::GetClassNameA(hwnd, cls, sizeof(cls));
  ::GetWindowTextA(hwnd, text, sizeof(text));
  if (pid == ::GetCurrentProcessId() && ::IsWindowVisible(hwnd) && std::string(cls) == "#32770" &&
      std::string(text) == s->title) {
    s->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

inline HWND FindMessageBox(const char* title) {
  MessageBoxSearch search = {title, nullptr};
  ::EnumWindows(&MatchMessageBox, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Waits up to `ms` for a box with the title, presses OK and returns its text
// ("<none>" when no box came).
inline std::future<std::string> AnswerNextMessageBox(const char* title, DWORD ms = 10000) {
  return std::async(std::launch::async, [title, ms] {
    const DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < ms) {
      if (HWND box = FindMessageBox(title)) {
        char text[1024] = {};
        ::GetDlgItemTextA(box, 0xFFFF, text, sizeof(text));
        ::PostMessageA(box, WM_COMMAND, IDOK, 0);
        return std::string(text);
      }
      ::Sleep(50);
    }
    return std::string("<none>");
  });
}
