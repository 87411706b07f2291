// The application: start-up, the bar window's modal run, and the end.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

class BarApp {
 public:
  // The whole start-up sequence and the bar window's modal loop. Returns the
  // process exit code (0; a registry failure ends the process itself).
  int Run();

  const std::string& SettingsPath() const { return settingsPath_; }
  const std::string& HelpPath() const { return helpPath_; }

 private:
  void ReadInstallation();
  void AskAutoStart();
  void FirstRun();
  void BuildSampleBar();

  std::string settingsPath_;
  std::string helpPath_;
  int32_t version_ = 0;
};

BarApp& TheApp();

// The bar window while it exists, else null.
HWND MainWindow();
void SetMainWindow(HWND hwnd);

// Writes the settings record to "options.ini" (with the bar window's live values
// when it exists).
void WriteSettings();
