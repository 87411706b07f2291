#include "app/install_info_win.h"

#include <windows.h>

#include "core/message_texts.h"
#include "platform/handles_win.h"
#include "platform/window_win.h"
#include "resource.h"
#include "core/message_box_win.h"
#include "core/message_ids.h"

std::string RegistryKeyPath() {
  char buffer[260] = {};
  if (::LoadStringA(ResourceModule(), IDS_REGISTRY_KEY, buffer, sizeof(buffer)) <= 0) {
    return "SOFTWARE\\Orvantis Software";
  }
  return buffer;
}

void FatalMessageAndExit(int messageId) {
  // Start-up cannot go on: the table is built here, whoever owns the program's own copy.
  ShowProgramMessage(nullptr, MessageTexts().Text(messageId));
  ::ExitProcess(0);
}

std::string InstallValueOrExit(const char* name) {
  HKEY raw = nullptr;
  if (::RegOpenKeyExA(HKEY_CURRENT_USER, RegistryKeyPath().c_str(), 0, KEY_READ | KEY_WRITE, &raw) !=
      ERROR_SUCCESS) {
    FatalMessageAndExit(kMsgRegistryOpenFailed);
  }
  UniqueRegKey key(raw);
  char buffer[261] = {};
  DWORD size = 260;
  DWORD type = 0;
  if (::RegQueryValueExA(key.Get(), name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) !=
          ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ)) {
    FatalMessageAndExit(kMsgRegistryReadFailed);
  }
  buffer[size < 260 ? size : 260] = '\0';
  return buffer;
}

std::string InstallDirOrExit() { return InstallValueOrExit("InstallDir"); }
