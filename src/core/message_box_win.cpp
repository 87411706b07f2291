#include "core/message_box_win.h"

#include "core/message_texts.h"

int ShowProgramMessage(HWND owner, const std::string& text, UINT flags) {
  return ::MessageBoxA(owner, text.c_str(), ProgramTitle(), flags);
}
