// Commands that send or post messages: general messages, menu and button commands,
// message boxes, dialog buttons and check boxes.
#pragma once

#include <windows.h>

#include "command_line.h"
#include "record.h"
#include "remote_toolbar_win.h"
#include "window_query_win.h"

namespace qrdriver {

// The control id Windows gives a message box's text.
constexpr int kMessageBoxTextId = 0xFFFF;

inline UINT ParseMessage(const std::string& text) {
  struct Named {
    const char* name;
    UINT msg;
  };
  static const Named kNames[] = {
      {"WM_CLOSE", WM_CLOSE},           {"WM_COMMAND", WM_COMMAND},         {"WM_SYSCOMMAND", WM_SYSCOMMAND},
      {"WM_KEYDOWN", WM_KEYDOWN},       {"WM_KEYUP", WM_KEYUP},             {"WM_CHAR", WM_CHAR},
      {"WM_LBUTTONDOWN", WM_LBUTTONDOWN}, {"WM_LBUTTONUP", WM_LBUTTONUP},   {"WM_RBUTTONDOWN", WM_RBUTTONDOWN},
      {"WM_RBUTTONUP", WM_RBUTTONUP},   {"WM_LBUTTONDBLCLK", WM_LBUTTONDBLCLK}, {"WM_MOUSEMOVE", WM_MOUSEMOVE},
      {"WM_TIMER", WM_TIMER},           {"WM_QUIT", WM_QUIT},               {"WM_NULL", WM_NULL},
      {"WM_SETTEXT", WM_SETTEXT},       {"WM_GETTEXTLENGTH", WM_GETTEXTLENGTH}, {"WM_ENDSESSION", WM_ENDSESSION},
      {"WM_QUERYENDSESSION", WM_QUERYENDSESSION}, {"WM_USER", WM_USER},     {"BM_CLICK", BM_CLICK},
      {"BM_GETCHECK", BM_GETCHECK},     {"BM_SETCHECK", BM_SETCHECK},
  };
  for (const Named& named : kNames) {
    if (Lower(text) == Lower(named.name)) return named.msg;
  }
  if (auto number = ParseInteger(text)) return static_cast<UINT>(*number);
  // "register:Name" asks for a registered message by name, as the program itself does.
  if (text.compare(0, 9, "register:") == 0) return ::RegisterWindowMessageA(text.substr(9).c_str());
  throw UsageError{"unknown message: " + text};
}

inline WPARAM OptionalParam(const Args& args, size_t index) {
  return args.Count() > index ? static_cast<WPARAM>(args.Integer(index)) : 0;
}

inline int PostAny(const Args& args) {
  HWND hwnd = ExistingWindow(args.At(0));
  if (!::PostMessageA(hwnd, ParseMessage(args.At(1)), OptionalParam(args, 2), OptionalParam(args, 3))) {
    throw Failure{"PostMessage failed (error " + std::to_string(::GetLastError()) + ")"};
  }
  return 0;
}

inline LRESULT SendOrFail(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, unsigned timeoutMs) {
  DWORD_PTR result = 0;
  if (!::SendMessageTimeoutA(hwnd, msg, wp, lp, SMTO_NORMAL, timeoutMs, &result)) {
    throw Failure{"the window did not answer within " + std::to_string(timeoutMs) + " ms"};
  }
  return static_cast<LRESULT>(result);
}

inline int SendAny(const Args& args) {
  HWND hwnd = ExistingWindow(args.At(0));
  const LRESULT result = SendOrFail(hwnd, ParseMessage(args.At(1)), OptionalParam(args, 2),
                                    static_cast<LPARAM>(OptionalParam(args, 3)), args.TimeoutMs(kMessageTimeoutMs));
  Record().Add("result", static_cast<long long>(result)).Print();
  return 0;
}

// Posted by default, as a menu or accelerator does, so a command that opens a modal
// dialog does not hold the driver; --sync sends it and prints the result.
inline int SendCommand(const Args& args) {
  HWND hwnd = ExistingWindow(args.At(0));
  const WORD id = static_cast<WORD>(args.Integer(1));
  const WORD code = static_cast<WORD>(args.IntegerOption("code", 0));
  HWND control = args.Option("control") ? ParseWindow(*args.Option("control")) : nullptr;
  const WPARAM wp = MAKEWPARAM(id, code);
  if (!args.Has("sync")) {
    if (!::PostMessageA(hwnd, WM_COMMAND, wp, reinterpret_cast<LPARAM>(control))) {
      throw Failure{"PostMessage failed (error " + std::to_string(::GetLastError()) + ")"};
    }
    return 0;
  }
  const LRESULT result = SendOrFail(hwnd, WM_COMMAND, wp, reinterpret_cast<LPARAM>(control),
                                    args.TimeoutMs(kMessageTimeoutMs));
  Record().Add("result", static_cast<long long>(result)).Print();
  return 0;
}

// Other dialogs label their fields with statics of id 0xFFFF too; a message box has
// nothing but its statics (text and icon) and push buttons.
inline bool IsMessageBox(HWND hwnd) {
  if (ClassOf(hwnd) != "#32770") return false;
  HWND text = ::GetDlgItem(hwnd, kMessageBoxTextId);
  if (!text || Lower(ClassOf(text)) != "static") return false;
  for (HWND child : ChildWindows(hwnd)) {
    const std::string kind = Lower(ClassOf(child));
    if (kind != "static" && kind != "button") return false;
  }
  return true;
}

inline HWND WaitForMessageBox(const Args& args) {
  WindowFilter filter = WindowFilter::FromArgs(args);
  filter.className = "#32770";
  const auto box = PollUntil(args.TimeoutMs(kDefaultWaitMs), [&]() -> std::optional<HWND> {
    for (HWND hwnd : filter.Select()) {
      if (IsMessageBox(hwnd)) return hwnd;
    }
    return std::nullopt;
  });
  if (!box) throw Failure{"no message box appeared"};
  return *box;
}

// The box first, then one line per push button with its id and label.
inline int ShowMessageBox(const Args& args) {
  HWND box = WaitForMessageBox(args);
  Record()
      .Add("hwnd", HandleText(box))
      .Add("pid", ProcessOf(box))
      .Add("title", TextOf(box))
      .Add("text", TextOf(::GetDlgItem(box, kMessageBoxTextId)))
      .Print();
  for (HWND child : ChildWindows(box)) {
    if (Lower(ClassOf(child)) != "button" || !::IsWindowVisible(child)) continue;
    Record().Add("button", ::GetDlgCtrlID(child)).Add("text", TextOf(child)).Print();
  }
  return 0;
}

// A posted BM_CLICK goes through the button's own press and release, as a mouse click
// does; --command posts WM_COMMAND to the dialog instead (for ids without a button).
inline int Press(const Args& args) {
  HWND dialog = nullptr;
  size_t idIndex = 1;
  if (args.Has("msgbox")) {
    dialog = WaitForMessageBox(args);
    idIndex = 0;
  } else {
    if (args.Count() < 2) throw UsageError{"press needs a window and a button id"};
    dialog = ExistingWindow(args.At(0));
  }
  if (args.Count() != idIndex + 1) throw UsageError{"press takes one button id"};
  const int id = static_cast<int>(args.Integer(idIndex));
  HWND button = ::GetDlgItem(dialog, id);
  if (args.Has("command")) {
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
  } else if (!button) {
    throw Failure{"no control with id " + std::to_string(id)};
  } else if (!::IsWindowEnabled(button)) {
    throw Failure{"button " + std::to_string(id) + " is disabled"};
  } else {
    ::PostMessageA(button, BM_CLICK, 0, 0);
  }
  Record().Add("hwnd", HandleText(dialog)).Add("pressed", id).Print();
  return 0;
}

// Clicks the box (so the dialog hears about it) until it shows the wanted state;
// three-state boxes may need more than one click.
inline int SetCheck(const Args& args) {
  HWND dialog = ExistingWindow(args.At(0));
  const int id = static_cast<int>(args.Integer(1));
  const std::string& wanted = args.At(2);
  if (wanted != "on" && wanted != "off") throw UsageError{"check state must be on or off"};
  const LRESULT target = wanted == "on" ? BST_CHECKED : BST_UNCHECKED;
  HWND box = ::GetDlgItem(dialog, id);
  if (!box) throw Failure{"no control with id " + std::to_string(id)};
  const unsigned waitMs = args.TimeoutMs(2000);
  for (int clicks = 0;; ++clicks) {
    const LRESULT state = SendOrFail(box, BM_GETCHECK, 0, 0, kMessageTimeoutMs);
    if (state == target) {
      Record().Add("hwnd", HandleText(box)).Add("checked", state == BST_CHECKED).Print();
      return 0;
    }
    if (clicks == 3) break;
    ::PostMessageA(box, BM_CLICK, 0, 0);
    PollUntil(waitMs, [&]() -> std::optional<bool> {
      if (SendOrFail(box, BM_GETCHECK, 0, 0, kMessageTimeoutMs) != state) return true;
      return std::nullopt;
    });
  }
  throw Failure{"check box " + std::to_string(id) + " did not reach " + wanted};
}

}  // namespace qrdriver
