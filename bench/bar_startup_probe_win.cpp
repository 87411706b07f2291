// bar_startup_probe: waits for a program's window to be on the screen and
// painted — the end of the start-up a user waits for. The bench starts the
// probe first, reads its "watching" line, starts the program itself and reads
// the probe's next line the moment the window is painted, so both ends are
// timed by the bench's own clock. (The program is not started from here: a
// process that a Wine console program starts can take the session's X server
// down with it when the console program ends.)
//
//   bar_startup_probe EXE_NAME [--class NAME] [--docked] [--timeout MS]
//
// The window counted is a visible top-level window of a process with that file
// name (of the class, when given; with --docked one as long as a whole screen
// edge, i.e. the docked bar). It is painted when the process has answered a
// message sent to it and neither the window nor any visible child has an
// update region left. Prints "watching", then "painted\tpid=<process id>";
// exit code 1 on a timeout.
#include <windows.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "platform/handles_win.h"

namespace {

struct Options {
  std::string exeName;
  std::string windowClass;
  bool docked = false;
  DWORD timeoutMs = 60000;
};

bool SameText(const std::string& a, const std::string& b) { return ::lstrcmpiA(a.c_str(), b.c_str()) == 0; }

std::string ExeNameOfUncached(DWORD pid) {
  UniqueKernelHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  PROCESSENTRY32 entry = {};
  entry.dwSize = sizeof entry;
  for (BOOL more = ::Process32First(snapshot.Get(), &entry); more; more = ::Process32Next(snapshot.Get(), &entry)) {
    if (entry.th32ProcessID == pid) return entry.szExeFile;
  }
  return {};
}

// A process keeps its file name: asked once per process (a snapshot of every
// process is a heavy question to ask every pass).
std::string ExeNameOf(DWORD pid) {
  static std::map<DWORD, std::string> names;
  auto known = names.find(pid);
  if (known == names.end()) known = names.emplace(pid, ExeNameOfUncached(pid)).first;
  return known->second;
}

bool SpansAnEdge(HWND hwnd) {
  RECT r;
  ::GetWindowRect(hwnd, &r);
  const int w = ::GetSystemMetrics(SM_CXSCREEN);
  const int h = ::GetSystemMetrics(SM_CYSCREEN);
  // Along the whole edge; across, the shell may have put it after other appbars.
  const bool row = r.left == 0 && r.right == w && r.bottom > r.top;
  const bool column = r.top == 0 && r.bottom == h && r.right > r.left;
  return row || column;
}

struct Search {
  const Options* options;
  HWND found = nullptr;
  DWORD pid = 0;
};

BOOL CALLBACK Match(HWND hwnd, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  const Options& options = *search->options;
  if (!::IsWindowVisible(hwnd)) return TRUE;
  char name[256] = {};
  ::GetClassNameA(hwnd, name, sizeof name);
  if (!options.windowClass.empty() && options.windowClass != name) return TRUE;
  if (options.docked && !SpansAnEdge(hwnd)) return TRUE;
  DWORD pid = 0;
  ::GetWindowThreadProcessId(hwnd, &pid);
  if (!SameText(ExeNameOf(pid), options.exeName)) return TRUE;
  search->found = hwnd;
  search->pid = pid;
  return FALSE;
}

BOOL CALLBACK CollectChild(HWND hwnd, LPARAM param) {
  reinterpret_cast<std::vector<HWND>*>(param)->push_back(hwnd);
  return TRUE;
}

bool Painted(HWND hwnd) {
  DWORD_PTR ignored = 0;
  if (!::SendMessageTimeoutA(hwnd, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored)) return false;
  std::vector<HWND> windows{hwnd};
  ::EnumChildWindows(hwnd, CollectChild, reinterpret_cast<LPARAM>(&windows));
  for (HWND window : windows) {
    if (::IsWindowVisible(window) && ::GetUpdateRect(window, nullptr, FALSE)) return false;
  }
  return true;
}

// One pass over the windows that may be the one watched. With a class, the
// system lists only the windows of that class (one question to the window
// manager per pass); without, every top-level window is asked about. The
// probe runs beside the program it times and must load the system as little
// as it can: what it asks slows the program's own calls to the same server.
void FindCandidate(Search& search) {
  if (search.options->windowClass.empty()) {
    ::EnumWindows(Match, reinterpret_cast<LPARAM>(&search));
    return;
  }
  const char* className = search.options->windowClass.c_str();
  for (HWND hwnd = ::FindWindowExA(nullptr, nullptr, className, nullptr); hwnd;
       hwnd = ::FindWindowExA(nullptr, hwnd, className, nullptr)) {
    if (!Match(hwnd, reinterpret_cast<LPARAM>(&search))) return;
  }
}

bool ParseOptions(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--class" && i + 1 < argc) {
      options.windowClass = argv[++i];
    } else if (arg == "--timeout" && i + 1 < argc) {
      options.timeoutMs = static_cast<DWORD>(std::strtoul(argv[++i], nullptr, 10));
    } else if (arg == "--docked") {
      options.docked = true;
    } else if (options.exeName.empty() && arg.rfind("--", 0) != 0) {
      options.exeName = arg;
    } else {
      return false;
    }
  }
  return !options.exeName.empty();
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseOptions(argc, argv, options)) {
    std::fputs("usage: bar_startup_probe EXE_NAME [--class NAME] [--docked] [--timeout MS]\n", stderr);
    return 2;
  }
  std::puts("watching");
  std::fflush(stdout);
  const DWORD start = ::GetTickCount();
  Search search{&options};
  while (::GetTickCount() - start < options.timeoutMs) {
    search.found = nullptr;
    FindCandidate(search);
    if (search.found && Painted(search.found)) {
      std::printf("painted\tpid=%lu\n", search.pid);
      std::fflush(stdout);
      return 0;
    }
    ::Sleep(2);
  }
  std::fprintf(stderr, "bar_startup_probe: no painted window of %s within %lu ms\n", options.exeName.c_str(),
               options.timeoutMs);
  return 1;
}
