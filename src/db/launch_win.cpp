#include <windows.h>
#include <shellapi.h>

#include "db/launch.h"

static_assert(sizeof(SHELLEXECUTEINFOA) == 60, "the record size stored in LaunchRecord");

namespace {

bool IsExistingFile(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

void ShellLaunch(const LaunchRecord& record) {
  SHELLEXECUTEINFOA info{};
  info.cbSize = record.Size;
  info.fMask = record.Mask;
  info.hwnd = nullptr;
  info.lpVerb = record.Verb.c_str();
  info.lpFile = record.File.c_str();
  info.lpParameters = record.Parameters.c_str();
  const std::string directory = StartingFolder(record.Directory, IsExistingFile);
  info.lpDirectory = directory.c_str();
  info.nShow = record.Show;
  ::ShellExecuteExA(&info);
}
