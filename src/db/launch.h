// The record a button is opened with: the shell's execute call with the verb
// "open" and the button's own texts. Built here so that every field can be
// checked without Windows; launch_win.cpp hands it to ShellExecuteExA.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

struct CD;

struct LaunchRecord {
  uint32_t Size = 60;  // size of the shell's execute record on 32-bit Windows
  uint32_t Mask = 0;   // no flags: the shell reports its own errors
  std::string Verb = "open";
  std::string File;
  std::string Parameters;
  std::string Directory;
  int32_t Show = 1;
};

// A file button's relative target is opened in the program folder, where
// the load looked for it; the current folder, which the file dialog moves,
// plays no part. An empty folder leaves the target as it is.
LaunchRecord MakeLaunchRecord(const CD& button, const std::string& programFolder = {});

// The folder a launch starts in. A working folder that names an existing file
// (a target copied into the field) cannot be started in: the file's folder
// is taken instead, the stored field left as it is.
std::string StartingFolder(const std::string& workDir, const std::function<bool(const std::string&)>& isFile);

// The same launch with the verb "runas": the system asks for an
// administrator's consent, then starts the program with the same arguments,
// working folder and window size.
LaunchRecord ElevatedLaunchRecord(const CD& button, const std::string& programFolder = {});

// Explorer showing the folder that holds the button's file or folder, with
// it selected: "explorer.exe" with /select,"<path>". The path is the one the
// launch opens, taken without blanks or quotes around the target and without
// a backslash at its end (a drive's root keeps it).
LaunchRecord FileLocationRecord(const CD& button, const std::string& programFolder = {});

using Launcher = std::function<void(const LaunchRecord&)>;

// The shell on Windows; on the host it opens nothing.
void ShellLaunch(const LaunchRecord& record);

// The launcher CBar::Launch uses; tests replace it to see the record.
Launcher& CurrentLauncher();
