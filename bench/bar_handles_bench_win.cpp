// bar_handles_bench: the bar window made in this process on a database of
// three bars, then 200 bar switches and 200 "rebuild all", with the process's
// GDI and USER object counts and memory read before and after each run. A
// leak of brushes, image lists, icons, toolbars or tooltip tools shows as
// counts that keep growing (where the system counts them: Wine answers 0 to
// GetGuiResources and to the private bytes), as windows left over, or as
// memory that keeps growing.
//
//   bar_handles_bench [ROUNDS]
// Prints one record a line: phase, gdi, user, windows (of this thread, with
// their children), private_kb, working_set_kb.
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "app/install_info_win.h"
#include "core/message_texts.h"
#include "core/settings.h"
#include "barwnd/window/bar_window_win.h"
#include "db/cdb.h"
#include "platform/handles_win.h"

namespace {

constexpr int kBars = 3;

void Pump() {
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
}

BOOL CALLBACK CountWindow(HWND, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  return TRUE;
}

BOOL CALLBACK CountWithChildren(HWND hwnd, LPARAM count) {
  CountWindow(hwnd, count);
  ::EnumChildWindows(hwnd, CountWindow, count);
  return TRUE;
}

int ThreadWindows() {
  int count = 0;
  ::EnumThreadWindows(::GetCurrentThreadId(), CountWithChildren, reinterpret_cast<LPARAM>(&count));
  return count;
}

void Report(const char* phase) {
  Pump();
  HANDLE self = ::GetCurrentProcess();
  PROCESS_MEMORY_COUNTERS_EX memory = {};
  memory.cb = sizeof memory;
  ::GetProcessMemoryInfo(self, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory);
  std::printf("phase=%s\tgdi=%lu\tuser=%lu\twindows=%d\tprivate_kb=%lu\tworking_set_kb=%lu\n", phase,
              ::GetGuiResources(self, GR_GDIOBJECTS), ::GetGuiResources(self, GR_USEROBJECTS), ThreadWindows(),
              static_cast<unsigned long>(memory.PrivateUsage / 1024),
              static_cast<unsigned long>(memory.WorkingSetSize / 1024));
  std::fflush(stdout);
}

std::string PrepareProgramFolder() {
  char temp[MAX_PATH] = {};
  ::GetTempPathA(MAX_PATH, temp);
  const std::string folder = std::string(temp) + "qr-bar-handles-bench";
  ::CreateDirectoryA(folder.c_str(), nullptr);
  HKEY key = nullptr;
  if (::RegCreateKeyExA(HKEY_CURRENT_USER, RegistryKeyPath().c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) == ERROR_SUCCESS) {
    UniqueRegKey owned(key);
    ::RegSetValueExA(key, "InstallDir", 0, REG_SZ, reinterpret_cast<const BYTE*>(folder.c_str()),
                     static_cast<DWORD>(folder.size() + 1));
  }
  return folder;
}

// Three bars of every kind of button, as a user's database might hold.
void FillDatabase(CDB& db, const std::string& folder) {
  char windows[MAX_PATH] = {};
  ::GetWindowsDirectoryA(windows, MAX_PATH);
  const std::string notepad = std::string(windows) + "\\notepad.exe";
  struct Target {
    const char* name;
    std::string path;
    int kind;
  };
  const Target targets[] = {{"Notepad", notepad, kFile},       {"Drive", "C:\\", kFolder},
                            {"Windows", windows, kFolder},     {"Web", "http://www.example.com/", kInternet},
                            {"Explorer", std::string(windows) + "\\explorer.exe", kFile}};
  db.SetProgramFolder(folder);
  for (int b = 0; b < kBars; ++b) {
    const int bar = db.AddBar("Bar " + std::to_string(b + 1));
    for (int i = 0; i < 8; ++i) {
      if (i == 4) db.Bar(bar)->InsertSeparator(-1);
      const Target& target = targets[(i + b) % 5];
      ButtonSpec request;
      request.Name = target.name;
      request.Target = request.IconFile = target.path;
      request.Kind = target.kind;
      request.Bar = bar;
      db.AddButton(request);
    }
  }
}

// Start-up's part: no settings file and no start-up shortcut.
class QuietBarHost : public BarHost {
 public:
  bool AddStartup() override { return true; }
  void WriteSettings(const Settings&, const LiveViewValues&, int32_t) override {}
  void SetMainWindow(HWND) override {}
  ManagerServices& EditingServices() override { return services_; }

 private:
  ManagerServices services_;  // does nothing: no dialogs of the system
};

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::atoi(argv[1]) : 200;
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES | ICC_WIN95_CLASSES};
  ::InitCommonControlsEx(&controls);
  const std::string folder = PrepareProgramFolder();
  Settings settings;
  settings.StartWindows = 0;
  CDB db;
  MessageTexts texts;
  QuietBarHost host;
  FillDatabase(db, folder);

  auto bar = std::make_unique<BarWindow>(settings, db, texts, nullptr, host);  // no icon cache
  if (!bar->CreateModeless(nullptr)) {
    std::fputs("bar_handles_bench: the bar window could not be made\n", stderr);
    return 1;
  }
  ::ShowWindow(bar->Hwnd(), SW_SHOWNOACTIVATE);
  // Warm up: every bar shown once, every lazily made system object made.
  for (int i = 0; i < 2 * kBars; ++i) {
    ::SendMessageA(bar->Hwnd(), WM_COMMAND, kFirstSwitchCommand + (i + 1) % kBars, 0);
    bar->RebuildAll();
    Pump();
  }
  Report("start");
  for (int i = 0; i < rounds; ++i) {
    ::SendMessageA(bar->Hwnd(), WM_COMMAND, kFirstSwitchCommand + (i + 1) % kBars, 0);
    Pump();
  }
  Report("after_switches");
  for (int i = 0; i < rounds; ++i) {
    bar->RebuildAll();
    Pump();
  }
  Report("after_rebuild_all");
  bar.reset();
  return 0;
}
