#include <windows.h>

#include "app/install_info_win.h"
#include "db/cdb.h"

void ShowStorageErrorBox(const std::string& text) {
  ::MessageBoxA(::GetActiveWindow(), text.c_str(), ProgramTitle(), MB_OK);
}
