#include <windows.h>

#include "app/message_texts.h"
#include "db/cdb.h"

void ShowStorageErrorBox(const std::string& text) {
  ::MessageBoxA(::GetActiveWindow(), text.c_str(), ProgramTitle(), MB_OK);
}
