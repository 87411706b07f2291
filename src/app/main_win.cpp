#include <windows.h>

#include "app/app_win.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return TheApp().Run(); }
