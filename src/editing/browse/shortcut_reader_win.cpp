#include "editing/browse/shortcut_reader_win.h"

#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <vector>

#include "platform/handles_win.h"

namespace {

// The link's path for IPersistFile::Load, in the system code page's reading.
std::wstring WidePath(const std::string& path) {
  const int length = ::MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0);
  if (length <= 0) return {};
  std::vector<wchar_t> wide(static_cast<size_t>(length));
  ::MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide.data(), length);
  return std::wstring(wide.data());
}

}  // namespace

void ResolveShortcut(const std::string& linkPath, std::string& target, std::string& workDir,
                     std::string& arguments, int32_t& showCmd, std::string& iconFile, int32_t& iconIndex) {
  ComScope com;
  ComPtr<IShellLinkA> link;
  if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                link.PutVoid()))) {
    return;
  }
  ComPtr<IPersistFile> file;
  if (FAILED(link->QueryInterface(IID_IPersistFile, file.PutVoid()))) return;
  const std::wstring wide = WidePath(linkPath);
  if (wide.empty() || FAILED(file->Load(wide.c_str(), STGM_READ))) return;

  char buffer[MAX_PATH] = {};
  WIN32_FIND_DATAA found = {};
  if (FAILED(link->GetPath(buffer, MAX_PATH, &found, SLGP_UNCPRIORITY | SLGP_RAWPATH))) return;
  target = buffer;
  buffer[0] = '\0';
  if (FAILED(link->GetArguments(buffer, MAX_PATH))) return;
  arguments = buffer;
  buffer[0] = '\0';
  if (FAILED(link->GetWorkingDirectory(buffer, MAX_PATH))) return;
  workDir = buffer;
  int show = 0;
  if (FAILED(link->GetShowCmd(&show))) return;
  showCmd = show;
  buffer[0] = '\0';
  int index = 0;
  if (FAILED(link->GetIconLocation(buffer, MAX_PATH, &index))) return;
  iconFile = buffer[0] != '\0' ? std::string(buffer) : target;
  iconIndex = index;
}
