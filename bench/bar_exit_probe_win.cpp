// bar_exit_probe: the two ends of the bar's life the benchmark times.
//
//   bar_exit_probe EXE_NAME yes         asks the bar (a visible tool window of
//       that program) to exit, waits for the question and answers "Yes";
//       prints "yes<TAB>ms" with the moment of the answer. The benchmark takes
//       the end of the process on its own clock.
//   bar_exit_probe EXE_NAME endsession  sends the bar WM_ENDSESSION (the logon
//       ends) and prints "endsession<TAB>ms" with the time the bar took to
//       answer it: the appbar left, the settings written, the tray icon gone.
//
// Milliseconds are QueryPerformanceCounter's (CLOCK_MONOTONIC_RAW under Wine,
// the benchmark's clock). Exit code 1 when the bar or the question is not found.
#include <windows.h>
#include <tlhelp32.h>

#include <cstdio>
#include <string>

#include "platform/handles_win.h"

namespace {

constexpr int kExitCommand = 32772;
constexpr DWORD kTimeoutMs = 20000;

double NowMs() {
  LARGE_INTEGER now{}, frequency{};
  ::QueryPerformanceCounter(&now);
  ::QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

std::string ExeNameOf(DWORD pid) {
  UniqueKernelHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  PROCESSENTRY32 entry = {};
  entry.dwSize = sizeof entry;
  for (BOOL more = ::Process32First(snapshot.Get(), &entry); more; more = ::Process32Next(snapshot.Get(), &entry)) {
    if (entry.th32ProcessID == pid) return entry.szExeFile;
  }
  return {};
}

struct Search {
  std::string exe;
  bool toolWindow;  // the bar; otherwise the question's dialog
  HWND found = nullptr;
};

BOOL CALLBACK Match(HWND hwnd, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  if (!::IsWindowVisible(hwnd)) return TRUE;
  char name[64] = {};
  ::GetClassNameA(hwnd, name, sizeof name);
  if (std::string(name) != "#32770") return TRUE;
  const bool tool = (::GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) != 0;
  if (tool != search->toolWindow) return TRUE;
  if (!search->toolWindow && !::GetDlgItem(hwnd, IDYES)) return TRUE;
  DWORD pid = 0;
  ::GetWindowThreadProcessId(hwnd, &pid);
  if (::lstrcmpiA(ExeNameOf(pid).c_str(), search->exe.c_str()) != 0) return TRUE;
  search->found = hwnd;
  return FALSE;
}

HWND WaitFor(const std::string& exe, bool toolWindow) {
  const DWORD start = ::GetTickCount();
  Search search{exe, toolWindow};
  while (::GetTickCount() - start < kTimeoutMs) {
    ::EnumWindows(Match, reinterpret_cast<LPARAM>(&search));
    if (search.found) return search.found;
    ::Sleep(2);
  }
  return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc == 3 ? argv[2] : "";
  if (mode != "yes" && mode != "endsession") {
    std::fputs("usage: bar_exit_probe EXE_NAME yes|endsession\n", stderr);
    return 2;
  }
  HWND bar = WaitFor(argv[1], true);
  if (!bar) {
    std::fprintf(stderr, "bar_exit_probe: no bar window of %s\n", argv[1]);
    return 1;
  }
  if (mode == "endsession") {
    const double sent = NowMs();
    ::SendMessageA(bar, WM_ENDSESSION, TRUE, 0);
    std::printf("endsession\t%.3f\n", NowMs() - sent);
    return 0;
  }
  ::PostMessageA(bar, WM_COMMAND, MAKEWPARAM(kExitCommand, 0), 0);
  HWND question = WaitFor(argv[1], false);
  if (!question) {
    std::fprintf(stderr, "bar_exit_probe: no exit question from %s\n", argv[1]);
    return 1;
  }
  const double answered = NowMs();
  ::PostMessageA(question, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED),
                 reinterpret_cast<LPARAM>(::GetDlgItem(question, IDYES)));
  std::printf("yes\t%.3f\n", answered);
  std::fflush(stdout);
  return 0;
}
