#include <windows.h>

#include "db/cdb.h"

void ShowStorageErrorBox(const std::string& text) {
  ::MessageBoxA(::GetActiveWindow(), text.c_str(), "Orvantis", MB_OK);
}
