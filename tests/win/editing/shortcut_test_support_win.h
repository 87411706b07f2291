// Folders and shell links the editing tests make for themselves.
#pragma once

#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <fstream>
#include <string>

#include "platform/handles_win.h"

// A fresh folder under the temporary folder, removed with what it holds.
class TempFolder {
 public:
  TempFolder() {
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    static int serial = 0;
    path_ = std::string(temp) + "qredit" + std::to_string(::GetCurrentProcessId()) + "_" + std::to_string(++serial);
    ::CreateDirectoryA(path_.c_str(), nullptr);
  }
  ~TempFolder() { RemoveTree(path_); }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& Path() const { return path_; }
  std::string PathOf(const std::string& name) const { return path_ + "\\" + name; }
  std::string MakeFolder(const std::string& name, DWORD attributes = 0) const {
    ::CreateDirectoryA(PathOf(name).c_str(), nullptr);
    if (attributes) ::SetFileAttributesA(PathOf(name).c_str(), attributes | FILE_ATTRIBUTE_DIRECTORY);
    return PathOf(name);
  }
  std::string Put(const std::string& name, const std::string& bytes) const {
    std::ofstream(PathOf(name), std::ios::binary) << bytes;
    return PathOf(name);
  }

  static void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA found{};
    HANDLE search = ::FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
      do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        const std::string path = folder + "\\" + name;
        ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
          RemoveTree(path);
        else
          ::DeleteFileA(path.c_str());
      } while (::FindNextFileA(search, &found));
      ::FindClose(search);
    }
    ::RemoveDirectoryA(folder.c_str());
  }

 private:
  std::string path_;
};

struct LinkSpec {
  std::string target;
  std::string arguments;
  std::string workDir;
  int showCmd = SW_SHOWNORMAL;
  std::string iconFile;  // none when empty
  int iconIndex = 0;
};

// Saves a shell link made with the shell's own link object.
inline bool MakeShellLink(const std::string& path, const LinkSpec& spec) {
  ComScope com;
  ComPtr<IShellLinkA> link;
  if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.PutVoid())))
    return false;
  link->SetPath(spec.target.c_str());
  link->SetArguments(spec.arguments.c_str());
  link->SetWorkingDirectory(spec.workDir.c_str());
  link->SetShowCmd(spec.showCmd);
  if (!spec.iconFile.empty()) link->SetIconLocation(spec.iconFile.c_str(), spec.iconIndex);
  ComPtr<IPersistFile> file;
  if (FAILED(link->QueryInterface(IID_IPersistFile, file.PutVoid()))) return false;
  wchar_t wide[MAX_PATH] = {};
  ::MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
  return SUCCEEDED(file->Save(wide, TRUE));
}

// The show command the shell itself reads back from a link. Wine's link
// object answers 1 (normal) whatever the file holds; Windows answers the
// stored command.
inline int ShellShowCmdOf(const std::string& path) {
  ComScope com;
  ComPtr<IShellLinkA> link;
  ComPtr<IPersistFile> file;
  wchar_t wide[MAX_PATH] = {};
  ::MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
  int show = -1;
  if (SUCCEEDED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.PutVoid())) &&
      SUCCEEDED(link->QueryInterface(IID_IPersistFile, file.PutVoid())) && SUCCEEDED(file->Load(wide, STGM_READ))) {
    link->GetShowCmd(&show);
  }
  return show;
}

inline bool RunningUnderWine() {
  return ::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
}
