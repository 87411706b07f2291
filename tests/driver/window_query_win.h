// Finding and describing windows of any process on the (virtual) desktop.
#pragma once

#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "../../src/platform/handles_win.h"
#include "command_line.h"
#include "record.h"

namespace qrdriver {

constexpr UINT kMessageTimeoutMs = 5000;
constexpr unsigned kDefaultWaitMs = 10000;

inline HWND ParseWindow(const std::string& text) {
  auto value = ParseInteger(text);
  if (!value || *value <= 0) throw UsageError{"not a window handle: " + text};
  return reinterpret_cast<HWND>(static_cast<uintptr_t>(*value));
}

// A window named on the command line must exist; a stale handle is a failed step.
inline HWND ExistingWindow(const std::string& text) {
  HWND hwnd = ParseWindow(text);
  if (!::IsWindow(hwnd)) throw Failure{"no such window: " + text};
  return hwnd;
}

inline std::string HandleText(HWND hwnd) {
  char text[24];
  std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(reinterpret_cast<uintptr_t>(hwnd)));
  return text;
}

inline std::string ClassOf(HWND hwnd) {
  char name[256] = {};
  const int length = ::GetClassNameA(hwnd, name, sizeof name);
  return std::string(name, length > 0 ? length : 0);
}

// WM_GETTEXT is marshalled between processes for every window, so it reads an edit
// control's contents too; a hung window falls back to the caption the system keeps.
inline std::string TextOf(HWND hwnd) {
  DWORD_PTR length = 0;
  if (!::SendMessageTimeoutA(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kMessageTimeoutMs, &length)) {
    char caption[1024] = {};
    const int copied = ::GetWindowTextA(hwnd, caption, sizeof caption);
    return std::string(caption, copied > 0 ? copied : 0);
  }
  std::string text(length + 1, '\0');
  DWORD_PTR copied = 0;
  if (!::SendMessageTimeoutA(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                             SMTO_ABORTIFHUNG, kMessageTimeoutMs, &copied)) {
    return {};
  }
  text.resize(std::min<size_t>(copied, length));
  return text;
}

inline DWORD ProcessOf(HWND hwnd) {
  DWORD pid = 0;
  ::GetWindowThreadProcessId(hwnd, &pid);
  return pid;
}

inline std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
  return text;
}

// Executable file names of the running processes, by process id.
inline std::map<DWORD, std::string> ProcessNames() {
  std::map<DWORD, std::string> names;
  UniqueKernelHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return names;
  PROCESSENTRY32 entry = {};
  entry.dwSize = sizeof entry;
  for (BOOL more = ::Process32First(snapshot.Get(), &entry); more; more = ::Process32Next(snapshot.Get(), &entry)) {
    names[entry.th32ProcessID] = entry.szExeFile;
  }
  return names;
}

inline BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM windows) {
  reinterpret_cast<std::vector<HWND>*>(windows)->push_back(hwnd);
  return TRUE;
}

inline std::vector<HWND> TopLevelWindows() {
  std::vector<HWND> windows;
  ::EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

// Every descendant, parents before their children.
inline std::vector<HWND> ChildWindows(HWND parent) {
  std::vector<HWND> windows;
  ::EnumChildWindows(parent, CollectWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

inline RECT ClientRectOnScreen(HWND hwnd) {
  RECT client = {};
  ::GetClientRect(hwnd, &client);
  ::MapWindowPoints(hwnd, HWND_DESKTOP, reinterpret_cast<POINT*>(&client), 2);
  return client;
}

inline Record& AddRect(Record& record, const char* key, const RECT& r) {
  return record.Rect(key, r.left, r.top, r.right, r.bottom);
}

// The fields every listing prints; rectangles are in screen coordinates.
inline Record Describe(HWND hwnd) {
  DWORD pid = 0;
  const DWORD tid = ::GetWindowThreadProcessId(hwnd, &pid);
  RECT window = {};
  ::GetWindowRect(hwnd, &window);
  const LONG style = ::GetWindowLongA(hwnd, GWL_STYLE);
  Record record;
  record.Add("hwnd", HandleText(hwnd))
      .Add("class", ClassOf(hwnd))
      .Add("id", (style & WS_CHILD) ? ::GetDlgCtrlID(hwnd) : 0)
      .Add("text", TextOf(hwnd));
  AddRect(record, "rect", window);
  AddRect(record, "client", ClientRectOnScreen(hwnd));
  record.Add("visible", ::IsWindowVisible(hwnd) != FALSE)
      .Add("enabled", ::IsWindowEnabled(hwnd) != FALSE)
      .Hex("style", static_cast<DWORD>(style))
      .Hex("exstyle", static_cast<DWORD>(::GetWindowLongA(hwnd, GWL_EXSTYLE)))
      .Add("pid", pid)
      .Add("tid", tid)
      .Add("parent", HandleText(::GetAncestor(hwnd, GA_PARENT)))
      .Add("owner", HandleText(::GetWindow(hwnd, GW_OWNER)));
  return record;
}

// What a waiting or listing command looks for among the top-level windows.
struct WindowFilter {
  std::optional<std::string> className;      // exact, case-insensitive like FindWindow
  std::optional<std::string> title;          // exact
  std::optional<std::string> titleContains;  // part of the title
  std::optional<std::string> exe;            // process file name, case-insensitive
  std::optional<DWORD> pid;
  std::optional<HWND> owner;
  bool includeHidden = false;

  static WindowFilter FromArgs(const Args& args) {
    WindowFilter filter;
    filter.className = args.Option("class");
    filter.title = args.Option("title");
    filter.titleContains = args.Option("title-contains");
    filter.exe = args.Option("exe");
    if (auto pid = args.IntegerOption("pid")) filter.pid = static_cast<DWORD>(*pid);
    if (auto owner = args.Option("owner")) filter.owner = ParseWindow(*owner);
    filter.includeHidden = args.Has("hidden");
    return filter;
  }

  bool Matches(HWND hwnd, const std::map<DWORD, std::string>& processNames) const {
    if (!includeHidden && !::IsWindowVisible(hwnd)) return false;
    if (className && Lower(ClassOf(hwnd)) != Lower(*className)) return false;
    if (pid && ProcessOf(hwnd) != *pid) return false;
    if (owner && ::GetWindow(hwnd, GW_OWNER) != *owner) return false;
    if (exe) {
      auto it = processNames.find(ProcessOf(hwnd));
      if (it == processNames.end() || Lower(it->second) != Lower(*exe)) return false;
    }
    if (title || titleContains) {
      const std::string text = TextOf(hwnd);
      if (title && text != *title) return false;
      if (titleContains && text.find(*titleContains) == std::string::npos) return false;
    }
    return true;
  }

  std::vector<HWND> Select() const {
    const auto names = exe ? ProcessNames() : std::map<DWORD, std::string>{};
    std::vector<HWND> found;
    for (HWND hwnd : TopLevelWindows()) {
      if (Matches(hwnd, names)) found.push_back(hwnd);
    }
    return found;
  }
};

// Asks `probe` every 50 ms until it gives a value or the time is up.
template <typename Probe>
auto PollUntil(unsigned timeoutMs, Probe probe) -> decltype(probe()) {
  const DWORD start = ::GetTickCount();
  for (;;) {
    if (auto result = probe()) return result;
    if (::GetTickCount() - start >= timeoutMs) return probe();
    ::Sleep(50);
  }
}

}  // namespace qrdriver
