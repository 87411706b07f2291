#include <windows.h>

#include "app/app_win.h"
#include "app/single_copy_win.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // Before anything else, and kept until after the application object has
  // gone: one copy of the program per session.
  static const SingleCopy copy;
  if (!copy.First()) {
    HandOverToRunningCopy();
    return 0;
  }
  static BarApp app;
  return app.Run();
}
