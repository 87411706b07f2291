#include "db/launch.h"

#include "db/cd.h"

LaunchRecord MakeLaunchRecord(const CD& button) {
  LaunchRecord record;
  record.File = button.Target;
  record.Parameters = button.Arguments;
  record.Directory = button.WorkDir;
  record.Show = button.ShowCmd;
  return record;
}

Launcher& CurrentLauncher() {
  static Launcher launcher = ShellLaunch;
  return launcher;
}
