#include "db/running_program_win.h"

#include <cstdio>
#include <map>
#include <memory>

#include "platform/exception_barrier.h"

namespace {

// Not in the XP headers: the right to ask a process its image name.
constexpr DWORD kQueryLimitedInformation = 0x1000;

using QueryImageName = BOOL(WINAPI*)(HANDLE, DWORD, LPSTR, PDWORD);
using ModuleFileName = DWORD(WINAPI*)(HANDLE, HMODULE, LPSTR, DWORD);

// The image path of an open process: QueryFullProcessImageNameA where the
// system has it (Vista and later), GetModuleFileNameExA of psapi before.
std::string ImagePath(HANDLE process) {
  char path[MAX_PATH * 2] = {};
  static const auto query = reinterpret_cast<QueryImageName>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "QueryFullProcessImageNameA")));
  if (query) {
    DWORD size = sizeof path;
    if (query(process, 0, path, &size)) return std::string(path, size);
  }
  static HMODULE psapi = ::LoadLibraryA("psapi.dll");
  static const auto module = psapi ? reinterpret_cast<ModuleFileName>(reinterpret_cast<void*>(
                                         ::GetProcAddress(psapi, "GetModuleFileNameExA")))
                                   : nullptr;
  if (module) {
    const DWORD length = module(process, nullptr, path, sizeof path);
    if (length > 0 && length < sizeof path) return std::string(path, length);
  }
  return {};
}

std::string ProgramPathOfProcess(DWORD pid) {
  HANDLE process = ::OpenProcess(kQueryLimitedInformation, FALSE, pid);
  if (!process) process = ::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
  if (!process) return {};
  std::string path = ImagePath(process);
  ::CloseHandle(process);
  return path;
}

struct Listing {
  std::vector<ProgramWindow> windows;
  std::map<DWORD, std::string> programs;  // one question per process
};

void AddWindow(Listing& listing, HWND window) {
  if (!::IsWindowVisible(window) || ::GetWindow(window, GW_OWNER)) return;
  if (::GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) return;
  DWORD pid = 0;
  ::GetWindowThreadProcessId(window, &pid);
  auto known = listing.programs.find(pid);
  if (known == listing.programs.end()) known = listing.programs.emplace(pid, ProgramPathOfProcess(pid)).first;
  if (known->second.empty()) return;
  listing.windows.push_back({reinterpret_cast<uintptr_t>(window), known->second, ::IsIconic(window) != FALSE});
}

// The system calls this for each window: nothing thrown may pass through its
// frames. A throw ends the listing; the windows listed so far are the answer.
BOOL CALLBACK ListWindow(HWND window, LPARAM lp) {
  return Guarded("window listing", FALSE, [&] {
    AddWindow(*reinterpret_cast<Listing*>(lp), window);
    return TRUE;
  });
}

}  // namespace

std::string ProgramPathOfWindow(HWND window) {
  DWORD pid = 0;
  if (!window || !::GetWindowThreadProcessId(window, &pid)) return {};
  return ProgramPathOfProcess(pid);
}

std::vector<ProgramWindow> VisibleProgramWindows() {
  Listing listing;
  ::EnumWindows(ListWindow, reinterpret_cast<LPARAM>(&listing));
  return listing.windows;
}

bool CarryOutSwitch(const SwitchChoice& choice) {
  HWND window = reinterpret_cast<HWND>(choice.window);
  switch (choice.action) {
    case SwitchAction::kStart: return false;
    case SwitchAction::kMinimise: ::ShowWindow(window, SW_MINIMIZE); return true;
    case SwitchAction::kActivate:
      if (choice.restore) ::ShowWindow(window, SW_RESTORE);
      ::SetForegroundWindow(window);
      return true;
  }
  return false;
}

std::string FileDescriptionOf(const std::string& programPath) {
  DWORD ignored = 0;
  const DWORD size = ::GetFileVersionInfoSizeA(programPath.c_str(), &ignored);
  if (size == 0) return {};
  std::unique_ptr<char[]> data(new char[size]);
  if (!::GetFileVersionInfoA(programPath.c_str(), 0, size, data.get())) return {};
  struct Translation {
    WORD language;
    WORD codePage;
  }* translations = nullptr;
  UINT length = 0;
  if (!::VerQueryValueA(data.get(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translations), &length) ||
      length < sizeof(Translation))
    return {};
  char key[64];
  std::snprintf(key, sizeof key, "\\StringFileInfo\\%04x%04x\\FileDescription", translations->language,
                translations->codePage);
  char* text = nullptr;
  if (!::VerQueryValueA(data.get(), key, reinterpret_cast<void**>(&text), &length) || !text || length == 0) return {};
  return std::string(text, strnlen(text, length));
}

std::string LongPathOf(const std::string& path) {
  char full[MAX_PATH * 2] = {};
  const DWORD length = ::GetLongPathNameA(path.c_str(), full, sizeof full);
  return length > 0 && length < sizeof full ? std::string(full, length) : path;
}
