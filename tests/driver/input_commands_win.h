// Commands that act as the user's mouse and keyboard, and ask where they point.
#pragma once

#include <windows.h>

#include "command_line.h"
#include "input_win.h"
#include "record.h"
#include "window_query_win.h"

namespace qrdriver {

inline int Click(const Args& args) {
  const int x = static_cast<int>(args.Integer(0));
  const int y = static_cast<int>(args.Integer(1));
  const std::string how = args.Count() > 2 ? Lower(args.At(2)) : "left";
  MouseButton button = MouseButton::kLeft;
  int clicks = 1;
  if (how == "right") button = MouseButton::kRight;
  else if (how == "middle") button = MouseButton::kMiddle;
  else if (how == "double") clicks = 2;
  else if (how != "left") throw UsageError{"click kind must be left, right, middle or double"};
  if (!ClickMouse(x, y, button, clicks)) throw Failure{"SendInput refused the click"};
  return 0;
}

inline int Move(const Args& args) {
  if (!MoveMouse(static_cast<int>(args.Integer(0)), static_cast<int>(args.Integer(1)))) {
    throw Failure{"cannot move the cursor"};
  }
  return 0;
}

inline int Cursor(const Args&) {
  POINT at = {};
  ::GetCursorPos(&at);
  HWND under = ::WindowFromPoint(at);
  Record().Add("x", at.x).Add("y", at.y).Add("hwnd", HandleText(under)).Print();
  return 0;
}

// Every chord is checked before the first key goes out, so a typo sends nothing.
inline int Keys(const Args& args) {
  std::vector<KeyChord> chords;
  for (size_t i = 0; i < args.Count(); ++i) {
    auto chord = ParseKeyChord(args.At(i));
    if (!chord) throw UsageError{"unknown key: " + args.At(i)};
    chords.push_back(*chord);
  }
  const DWORD pause = static_cast<DWORD>(args.IntegerOption("delay", 50));
  for (const KeyChord& chord : chords) {
    if (!PressChord(chord)) throw Failure{"SendInput refused the keys"};
    ::Sleep(pause);
  }
  return 0;
}

inline int Type(const Args& args) {
  const std::string text = args.Has("escaped") ? Unescape(args.At(0)) : args.At(0);
  if (!TypeText(text)) throw Failure{"SendInput refused the keys"};
  return 0;
}

// Brings a window to the front and waits until it is the foreground window, so that
// keys sent afterwards reach it.
inline int Activate(const Args& args) {
  HWND hwnd = ExistingWindow(args.At(0));
  const auto active = PollUntil(args.TimeoutMs(3000), [&]() -> std::optional<bool> {
    if (::GetForegroundWindow() == hwnd) return true;
    ::SetForegroundWindow(hwnd);
    return std::nullopt;
  });
  if (!active) throw Failure{"window " + args.At(0) + " did not come to the foreground"};
  return 0;
}

inline int Foreground(const Args&) {
  HWND hwnd = ::GetForegroundWindow();
  if (!hwnd) throw Failure{"no foreground window"};
  Describe(hwnd).Print();
  return 0;
}

}  // namespace qrdriver
