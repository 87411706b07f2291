#include "db/error_box_win.h"

#include "core/message_texts.h"

void ShowStorageErrorBox(HWND owner, const std::string& text) {
  ::MessageBoxA(owner, text.c_str(), ProgramTitle(), MB_OK);
}
