// Files and shell links the editing tests make for themselves.
#pragma once

#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <filesystem>
#include <string>

#include "platform/handles_win.h"
#include "support/scratch_folder.h"

// A file with these bytes in the scratch folder; its full path.
inline std::string PutFile(const ScratchFolder& folder, const std::string& name, const std::string& bytes) {
  WriteBytes(folder.File(name), bytes);
  return folder.File(name);
}

struct LinkSpec {
  std::string target, arguments, workDir;
  int showCmd = SW_SHOWNORMAL;
  std::string iconFile = {};  // none when empty
  int iconIndex = 0;
};

// Saves a shell link made with the shell's own link object.
inline bool MakeShellLink(const std::string& path, const LinkSpec& request) {
  ComScope com;
  ComPtr<IShellLinkA> link;
  ComPtr<IPersistFile> file;
  if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.PutVoid())) ||
      FAILED(link->QueryInterface(IID_IPersistFile, file.PutVoid())))
    return false;
  link->SetPath(request.target.c_str());
  link->SetArguments(request.arguments.c_str());
  link->SetWorkingDirectory(request.workDir.c_str());
  link->SetShowCmd(request.showCmd);
  if (!request.iconFile.empty()) link->SetIconLocation(request.iconFile.c_str(), request.iconIndex);
  return SUCCEEDED(file->Save(std::filesystem::path(path).wstring().c_str(), TRUE));
}

// Wine's link object reads every link's show command back as 1 (normal),
// whatever the file holds; Windows reads the stored command.
inline int ExpectedShowCmd(int stored) {
  const bool wine = ::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
  return wine ? SW_SHOWNORMAL : stored;
}
