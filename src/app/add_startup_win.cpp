#include "app/add_startup_win.h"

#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <string>

#include "app/install_info_win.h"
#include "core/message_texts.h"
#include "app/registry_values.h"
#include "app/shortcut_file.h"
#include "core/settings.h"
#include "platform/file_ops.h"
#include "platform/handles_win.h"
#include "platform/path_rules.h"
#include "platform/text_win.h"
#include "core/message_box_win.h"
#include "core/message_ids.h"

namespace {

void ShowSystemError(MessageTexts& texts, int messageId) {
  ShowProgramMessage(nullptr, texts.Text(messageId));
}

// True when the shortcut at `linkPath` starts `programPath` in `folder`. Its
// bytes tell in all but odd cases; only those load the shell's link object.
bool ShortcutStarts(const std::string& linkPath, const std::string& programPath, const std::string& folder) {
  std::string bytes;
  if (!PlatformFileOps().ReadAll(linkPath, bytes)) return false;
  const ShortcutMatch match = MatchShortcut(bytes, programPath, folder);
  if (match != ShortcutMatch::kUnknown) return match == ShortcutMatch::kStarts;
  ComPtr<IShellLinkA> link;
  ComPtr<IPersistFile> file;
  if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.PutVoid())) ||
      FAILED(link->QueryInterface(IID_IPersistFile, file.PutVoid())))
    return false;
  WCHAR widePath[MAX_PATH] = {};
  CopyWideFromAnsi(linkPath, widePath, MAX_PATH);
  char target[MAX_PATH] = {};
  char workingFolder[MAX_PATH] = {};
  // The path as stored: no search for a target that moved.
  return SUCCEEDED(file->Load(widePath, STGM_READ)) &&
         link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH) == S_OK &&
         SUCCEEDED(link->GetWorkingDirectory(workingFolder, MAX_PATH)) &&
         ::lstrcmpiA(target, programPath.c_str()) == 0 && ::lstrcmpiA(workingFolder, folder.c_str()) == 0;
}

// The user's Startup folder as the user's shell folder settings name it,
// when it is there: the shell's folder lookup, whose code would stay in the
// program's memory, is asked only when it is not (it also creates the folder).
bool StartupFolder(char (&path)[MAX_PATH]) {
  HKEY raw = nullptr;
  if (::RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders",
                      0, KEY_READ, &raw) == ERROR_SUCCESS) {
    UniqueRegKey key(raw);
    char stored[MAX_PATH] = {};
    DWORD size = sizeof stored - 1;
    DWORD type = 0;
    if (::RegQueryValueExA(key.Get(), "Startup", nullptr, &type, reinterpret_cast<BYTE*>(stored), &size) ==
            ERROR_SUCCESS &&
        (type == REG_SZ || type == REG_EXPAND_SZ)) {
      const DWORD length = ::ExpandEnvironmentStringsA(stored, path, MAX_PATH);
      const DWORD attributes = length > 0 && length <= MAX_PATH ? ::GetFileAttributesA(path) : INVALID_FILE_ATTRIBUTES;
      if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return true;
    }
  }
  path[0] = '\0';
  return ::SHGetSpecialFolderPathA(nullptr, path, CSIDL_STARTUP, TRUE) && path[0] != '\0';
}

}  // namespace

bool AddStartup(const Settings& settings, MessageTexts& texts) {
  ComScope com;
  const std::string installDir = InstallDirOrExit();
  const std::string programPath = JoinPath(installDir, "Orvantis.exe");
  char startup[MAX_PATH] = {};
  if (!StartupFolder(startup)) {
    // Without the folder the link would land in the drive's root. With the
    // setting off there is no shortcut to be found and nothing to say.
    if (settings.StartWindows == 0) return true;
    ShowSystemError(texts, kMsgStartupSaveFailed);
    return false;
  }
  const std::string linkPath = JoinPath(startup, "Orvantis.Quickrail.lnk");

  if (settings.StartWindows == 0) {
    ::DeleteFileA(linkPath.c_str());
    return true;
  }

  if (ShortcutStarts(linkPath, programPath, installDir)) return true;

  ComPtr<IShellLinkA> link;
  if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                link.PutVoid()))) {
    ShowSystemError(texts, kMsgStartupCreateFailed);
    return false;
  }
  link->SetPath(programPath.c_str());
  link->SetWorkingDirectory(installDir.c_str());

  ComPtr<IPersistFile> file;
  if (FAILED(link->QueryInterface(IID_IPersistFile, file.PutVoid()))) {
    ShowSystemError(texts, kMsgStartupQueryFailed);
    return false;
  }
  WCHAR widePath[MAX_PATH] = {};
  CopyWideFromAnsi(linkPath, widePath, MAX_PATH);
  if (FAILED(file->Save(widePath, TRUE))) {
    ShowSystemError(texts, kMsgStartupSaveFailed);
    return false;
  }
  return true;
}
