#include "app/add_startup_win.h"

#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <string>

#include "app/install_info_win.h"
#include "app/message_texts.h"
#include "app/registry_values.h"
#include "app/settings.h"
#include "platform/handles_win.h"

namespace {

void ShowSystemError(int messageId) {
  ::MessageBoxA(nullptr, TheMessages().Text(messageId).c_str(), ProgramTitle(), MB_OK);
}

}  // namespace

bool AddStartup() {
  ComScope com;
  const std::string installDir = InstallDirOrExit();
  const std::string programPath = InstallPath(installDir, "Orvantis.exe");
  char startup[MAX_PATH] = {};
  ::SHGetSpecialFolderPathA(nullptr, startup, CSIDL_STARTUP, TRUE);
  const std::string linkPath = InstallPath(startup, "Orvantis.Quickrail.lnk");

  if (TheSettings().StartWindows == 0) {
    ::DeleteFileA(linkPath.c_str());
    return true;
  }

  ComPtr<IShellLinkA> link;
  if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                link.PutVoid()))) {
    ShowSystemError(12);
    return false;
  }
  link->SetPath(programPath.c_str());
  link->SetWorkingDirectory(installDir.c_str());

  ComPtr<IPersistFile> file;
  if (FAILED(link->QueryInterface(IID_IPersistFile, file.PutVoid()))) {
    ShowSystemError(13);
    return false;
  }
  WCHAR widePath[MAX_PATH] = {};
  ::MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, widePath, MAX_PATH);
  if (FAILED(file->Save(widePath, TRUE))) {
    ShowSystemError(14);
    return false;
  }
  return true;
}
