#include "db/launch.h"

#include "db/cd.h"
#include "platform/path_rules.h"

LaunchRecord MakeLaunchRecord(const CD& button, const std::string& programFolder) {
  LaunchRecord record;
  const bool checkedFile = button.Kind == kFile && button.IsSeparator != 1 && !programFolder.empty();
  record.File = checkedFile ? ResolveAgainstFolder(programFolder, button.Target) : button.Target;
  record.Parameters = button.Arguments;
  record.Directory = button.WorkDir;
  record.Show = button.ShowCmd;
  return record;
}

LaunchRecord ElevatedLaunchRecord(const CD& button, const std::string& programFolder) {
  LaunchRecord record = MakeLaunchRecord(button, programFolder);
  record.Verb = "runas";
  return record;
}

LaunchRecord FileLocationRecord(const CD& button, const std::string& programFolder) {
  CD unquoted = button;
  const size_t first = button.Target.find_first_not_of(" \t\"");
  unquoted.Target = first == std::string::npos
                        ? std::string()
                        : button.Target.substr(first, button.Target.find_last_not_of(" \t\"") - first + 1);
  std::string path = MakeLaunchRecord(unquoted, programFolder).File;
  const bool driveRoot = path.size() == 3 && path[1] == ':';
  while (path.size() > 1 && path.back() == '\\' && !driveRoot) path.pop_back();
  LaunchRecord record;
  record.File = "explorer.exe";
  record.Parameters = "/select,\"" + path + "\"";
  return record;
}

std::string StartingFolder(const std::string& workDir, const std::function<bool(const std::string&)>& isFile) {
  if (workDir.empty() || !isFile || !isFile(workDir)) return workDir;
  return ContainingFolder(workDir);
}

Launcher& CurrentLauncher() {
  static Launcher launcher = ShellLaunch;
  return launcher;
}
