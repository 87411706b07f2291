// Files and shell links tests make for themselves, and shell links read back
// through the shell's own link object.
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

// A saved shell link as the shell's link object reads it: the path as stored,
// arguments, working folder, show command and icon location. Empty when it
// cannot be read.
inline LinkSpec ReadShellLink(const std::string& path) {
  ComScope com;
  ComPtr<IShellLinkA> link;
  ComPtr<IPersistFile> file;
  LinkSpec read;
  if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.PutVoid())) ||
      FAILED(link->QueryInterface(IID_IPersistFile, file.PutVoid())) ||
      FAILED(file->Load(std::filesystem::path(path).wstring().c_str(), STGM_READ)))
    return read;
  char text[MAX_PATH] = {};
  auto take = [&text] {
    std::string value = text;
    text[0] = '\0';
    return value;
  };
  link->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH);
  read.target = take();
  link->GetArguments(text, MAX_PATH);
  read.arguments = take();
  link->GetWorkingDirectory(text, MAX_PATH);
  read.workDir = take();
  link->GetShowCmd(&read.showCmd);
  link->GetIconLocation(text, MAX_PATH, &read.iconIndex);
  read.iconFile = take();
  return read;
}

// Wine's link object reads every link's show command back as 1 (normal),
// whatever the file holds; Windows reads the stored command.
inline int ExpectedShowCmd(int stored) {
  const bool wine = ::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
  return wine ? SW_SHOWNORMAL : stored;
}
