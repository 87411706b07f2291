#include <windows.h>
#include <shellapi.h>

#include "db/launch.h"

static_assert(sizeof(SHELLEXECUTEINFOA) == 60, "the record size stored in LaunchRecord");

void ShellLaunch(const LaunchRecord& record) {
  SHELLEXECUTEINFOA info{};
  info.cbSize = record.Size;
  info.fMask = record.Mask;
  info.hwnd = nullptr;
  info.lpVerb = record.Verb.c_str();
  info.lpFile = record.File.c_str();
  info.lpParameters = record.Parameters.c_str();
  info.lpDirectory = record.Directory.c_str();
  info.nShow = record.Show;
  ::ShellExecuteExA(&info);
}
