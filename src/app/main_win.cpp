#include <windows.h>

#include <cstdlib>

#include "app/app_win.h"
#include "app/single_copy_win.h"

// The runtime's default for an exception that nothing caught writes its type
// and text to the standard error stream, which a windowed program does not
// have, and brings in a name demangler for it: here the program just ends
// (the exception barriers stop every exception before it could get so far).
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // Before anything else, and kept until after the application object has
  // gone: one copy of the program per session.
  static SingleCopy copy;
  if (!copy.First() && HandOverToRunningCopy(copy) != HandOverEnd::kRunHere) return 0;
  static BarApp app;
  return app.Run();
}
