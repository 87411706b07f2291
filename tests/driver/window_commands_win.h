// Commands that find windows and read or set what they show.
#pragma once

#include <windows.h>

#include "command_line.h"
#include "record.h"
#include "remote_toolbar_win.h"
#include "window_query_win.h"

namespace qrdriver {

inline int ListWindows(const Args& args) {
  WindowFilter filter = WindowFilter::FromArgs(args);
  filter.includeHidden = !args.Has("visible");
  const auto names = ProcessNames();
  for (HWND hwnd : filter.Select()) {
    auto it = names.find(ProcessOf(hwnd));
    Describe(hwnd).Add("exe", it == names.end() ? std::string() : it->second).Print();
  }
  return 0;
}

inline int WaitWindow(const Args& args) {
  const WindowFilter filter = WindowFilter::FromArgs(args);
  const auto found = PollUntil(args.TimeoutMs(kDefaultWaitMs), [&]() -> std::optional<std::vector<HWND>> {
    auto windows = filter.Select();
    if (windows.empty()) return std::nullopt;
    return windows;
  });
  if (!found) throw Failure{"no matching window appeared"};
  for (HWND hwnd : *found) {
    Describe(hwnd).Print();
    if (!args.Has("all")) break;
  }
  return 0;
}

// Gone means hidden or destroyed; with --destroyed only destruction counts.
inline int WaitGone(const Args& args) {
  HWND hwnd = ParseWindow(args.At(0));
  const bool destroyedOnly = args.Has("destroyed");
  const auto gone = PollUntil(args.TimeoutMs(kDefaultWaitMs), [&]() -> std::optional<bool> {
    if (!::IsWindow(hwnd) || (!destroyedOnly && !::IsWindowVisible(hwnd))) return true;
    return std::nullopt;
  });
  if (!gone) throw Failure{"window " + args.At(0) + " is still there"};
  Record().Add("hwnd", HandleText(hwnd)).Add("exists", ::IsWindow(hwnd) != FALSE).Print();
  return 0;
}

inline void PrintToolbarButtons(HWND toolbar) {
  RemoteToolbarReader reader(toolbar);
  for (const ToolbarButton& button : reader.Buttons()) DescribeToolbarButton(toolbar, button).Print();
}

inline bool IsToolbar(HWND hwnd) { return Lower(ClassOf(hwnd)) == Lower(TOOLBARCLASSNAMEA); }

// Each toolbar's line carries its button count and is followed by one line per button.
inline int ListChildren(const Args& args) {
  HWND parent = ExistingWindow(args.At(0));
  for (HWND child : ChildWindows(parent)) {
    if (args.Has("direct") && ::GetAncestor(child, GA_PARENT) != parent) continue;
    Record record = Describe(child);
    if (!IsToolbar(child)) {
      record.Print();
      continue;
    }
    auto count = SendWithTimeout(child, TB_BUTTONCOUNT, 0, 0);
    if (!count) {
      // A toolbar the bar destroyed while it was being listed (a rebuild) is not one of its children any more.
      if (!::IsWindow(child)) continue;
      throw Failure{"TB_BUTTONCOUNT timed out for " + HandleText(child)};
    }
    record.Add("buttons", static_cast<long long>(*count)).Print();
    PrintToolbarButtons(child);
  }
  return 0;
}

inline int ListToolbar(const Args& args) {
  HWND toolbar = ExistingWindow(args.At(0));
  if (!IsToolbar(toolbar)) throw Failure{args.At(0) + " is a " + ClassOf(toolbar) + ", not a toolbar"};
  PrintToolbarButtons(toolbar);
  return 0;
}

inline int ShowInfo(const Args& args) {
  Describe(ExistingWindow(args.At(0))).Print();
  return 0;
}

inline int ShowRect(const Args& args) {
  HWND hwnd = ExistingWindow(args.At(0));
  RECT window = {};
  ::GetWindowRect(hwnd, &window);
  Record record;
  record.Add("hwnd", HandleText(hwnd));
  AddRect(record, "rect", window);
  AddRect(record, "client", ClientRectOnScreen(hwnd));
  record.Print();
  return 0;
}

inline int ShowText(const Args& args) {
  Record().Add("text", TextOf(ExistingWindow(args.At(0)))).Print();
  return 0;
}

inline std::string TextArgument(const Args& args, size_t index) {
  return args.Has("escaped") ? Unescape(args.At(index)) : args.At(index);
}

inline int SetText(const Args& args) {
  HWND hwnd = ExistingWindow(args.At(0));
  const std::string text = TextArgument(args, 1);
  DWORD_PTR result = 0;
  if (!::SendMessageTimeoutA(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG,
                             kMessageTimeoutMs, &result)) {
    throw Failure{"WM_SETTEXT timed out"};
  }
  if (!result) throw Failure{"the window refused the text"};
  Record().Add("result", static_cast<long long>(result)).Print();
  return 0;
}

}  // namespace qrdriver
