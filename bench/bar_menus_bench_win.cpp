// bar_menus_bench: the bar's context menu, bar-switch menu and tray menu,
// each opened and closed ROUNDS times for a stand-in bar window in this
// process. For every menu it prints the time from the request to the first
// item drawn (the menu on the screen; the tray menu is not owner-drawn, so
// its time runs to the menu window shown), and the process's GDI and USER
// object counts, windows and memory before and after the rounds. A leak of
// icons, fonts or menus shows as counts or memory that keep growing (where
// the system counts them: Wine answers 0 to GetGuiResources).
//
//   bar_menus_bench [ROUNDS]
// One record a line: menu, phase, gdi, user, private_kb, working_set_kb, and
// for phase=timing: first_ms, median_ms, max_ms.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/message_texts.h"
#include "barwnd/menus/bar_menus_win.h"
#include "db/cdb.h"
#include "platform/window_win.h"

namespace {

constexpr UINT_PTR kCloseTimer = 1;

double Now() {
  LARGE_INTEGER frequency, counter;
  ::QueryPerformanceFrequency(&frequency);
  ::QueryPerformanceCounter(&counter);
  return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

class StandInBar : public Window, public BarMenuHost {
 public:
  StandInBar() {
    Create("QrMenusBenchBar", "bar", WS_POPUP | WS_VISIBLE, WS_EX_TOOLWINDOW, 0, 0, 1024, 30, nullptr, nullptr);
  }
  HWND BarHwnd() override { return Hwnd(); }
  int Edge() override { return 1; }
  bool AutoHide() override { return false; }
  int DisplayedBar() override { return 0; }
  RECT SwitchButtonScreenRect() override { return {120, 4, 143, 26}; }
  void SetDialogOpen(bool) override {}

  BarMenus* menus = nullptr;
  double requested = 0;
  double shown = 0;

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override {
    switch (msg) {
      case WM_MEASUREITEM:
        menus->OnMeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lp));
        return TRUE;
      case WM_DRAWITEM:
        menus->OnDrawItem(*reinterpret_cast<DRAWITEMSTRUCT*>(lp));
        MenuOnScreen();
        return TRUE;
      case WM_ENTERIDLE:  // the menu loop waits for input: the menu is up
        MenuOnScreen();
        return 0;
      case WM_TIMER:
        if (wp == kCloseTimer) {
          ::KillTimer(Hwnd(), kCloseTimer);
          ::EndMenu();
          return 0;
        }
        break;
    }
    return Window::HandleMessage(msg, wp, lp);
  }

 private:
  void MenuOnScreen() {
    if (shown != 0) return;
    shown = Now();
    ::SetTimer(Hwnd(), kCloseTimer, 1, nullptr);
  }
};

void Report(const char* menu, const char* phase) {
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&msg);
  HANDLE self = ::GetCurrentProcess();
  PROCESS_MEMORY_COUNTERS_EX memory = {};
  memory.cb = sizeof memory;
  ::GetProcessMemoryInfo(self, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory);
  std::printf("menu=%s\tphase=%s\tgdi=%lu\tuser=%lu\tprivate_kb=%lu\tworking_set_kb=%lu\n", menu, phase,
              ::GetGuiResources(self, GR_GDIOBJECTS), ::GetGuiResources(self, GR_USEROBJECTS),
              static_cast<unsigned long>(memory.PrivateUsage / 1024),
              static_cast<unsigned long>(memory.WorkingSetSize / 1024));
  std::fflush(stdout);
}

template <typename Open>
void Run(const char* name, StandInBar& bar, int rounds, Open open) {
  Report(name, "before");
  std::vector<double> times;
  for (int i = 0; i < rounds; ++i) {
    bar.shown = 0;
    bar.requested = Now();
    open();
    if (bar.shown != 0) times.push_back(bar.shown - bar.requested);
  }
  Report(name, "after");
  if (times.empty()) return;
  const double first = times.front();
  std::sort(times.begin(), times.end());
  std::printf("menu=%s\tphase=timing\tfirst_ms=%.2f\tmedian_ms=%.2f\tmax_ms=%.2f\n", name, first,
              times[times.size() / 2], times.back());
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::atoi(argv[1]) : 200;
  CDB db;
  MessageTexts texts;
  char program[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, program, MAX_PATH);
  for (const char* name : {"Programs", "Documents", "Web"}) db.Bar(db.AddBar(name))->IconFile = program;
  StandInBar bar;
  BarMenus menus(bar, db, texts, nullptr);  // no icon cache: the shell
  bar.menus = &menus;
  Run("context", bar, rounds, [&] { menus.ShowContextMenu({300, 15}, false); });
  Run("barswitch", bar, rounds, [&] { menus.ShowBarSwitchMenu(); });
  Run("tray", bar, rounds, [&] { menus.ShowTrayMenu({500, 300}); });
  return 0;
}
