// The start-up trace of the benchmark build (OrvantisTrace.exe, cmake/bench_bar.cmake):
// the program's sources compiled with QR_STARTUP_TRACE call StartupTraceMark at
// each phase, and this file prints one line per mark on standard output:
//   trace<TAB>phase<TAB>milliseconds
// The milliseconds are QueryPerformanceCounter's, which under Wine counts the
// host's CLOCK_MONOTONIC_RAW, so the benchmark can set them beside its own
// clock. The first mark also prints the moment the process was created.
// The shipped program contains none of this.
#include <windows.h>

#include <cstdio>

namespace {

double Milliseconds(LONGLONG counter) {
  LARGE_INTEGER frequency{};
  ::QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(counter) / static_cast<double>(frequency.QuadPart);
}

void Print(const char* phase, double ms) {
  HANDLE out = ::GetStdHandle(STD_OUTPUT_HANDLE);
  if (!out || out == INVALID_HANDLE_VALUE) return;
  char line[160];
  const int n = std::snprintf(line, sizeof line, "trace\t%s\t%.3f\n", phase, ms);
  DWORD written = 0;
  if (n > 0) ::WriteFile(out, line, static_cast<DWORD>(n), &written, nullptr);
}

ULONGLONG AsNumber(const FILETIME& t) { return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime; }

// The process's creation time on the performance counter's scale.
double CreatedMs(LONGLONG nowCounter) {
  FILETIME created{}, exited{}, kernel{}, user{}, now{};
  if (!::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user)) return -1;
  ::GetSystemTimeAsFileTime(&now);
  const double agoMs = static_cast<double>(AsNumber(now) - AsNumber(created)) / 10000.0;
  return Milliseconds(nowCounter) - agoMs;
}

}  // namespace

void StartupTraceMark(const char* phase) {
  static bool first = true;
  LARGE_INTEGER now{};
  ::QueryPerformanceCounter(&now);
  if (first) {
    first = false;
    Print("process created", CreatedMs(now.QuadPart));
  }
  Print(phase, Milliseconds(now.QuadPart));
}

namespace {

// The first of the program's static initialisers, before WinMain: what lies
// before it is the system loading the program and its libraries.
struct FirstMark {
  FirstMark() { StartupTraceMark("static initialisation"); }
};
__attribute__((init_priority(101))) const FirstMark g_firstMark;

}  // namespace
