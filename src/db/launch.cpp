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

std::string StartingFolder(const std::string& workDir, const std::function<bool(const std::string&)>& isFile) {
  if (workDir.empty() || !isFile || !isFile(workDir)) return workDir;
  return ContainingFolder(workDir);
}

Launcher& CurrentLauncher() {
  static Launcher launcher = ShellLaunch;
  return launcher;
}
