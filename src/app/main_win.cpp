#include <windows.h>

#include "app/app_win.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { 
  static BarApp app;
  return app.Run();
 }
