// The application: it owns the process-wide objects (the settings record, the
// button database, the message texts), runs start-up, and hosts the bar
// window, whose modal loop is the program's only message loop.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "core/message_texts.h"
#include "core/settings.h"
#include "barwnd/window/bar_host.h"
#include "db/cdb.h"
#include "db/earlier_copies.h"
#include "editing/browse/browse_services_win.h"

class ButtonIconCache;

class BarApp final : public BarHost {
 public:
  BarApp();

  // The whole start-up sequence and the bar window's modal loop. Returns the
  // process exit code (0; a registry failure ends the process itself).
  int Run();

  const std::string& SettingsPath() const { return settingsPath_; }
  const std::string& HelpPath() const { return helpPath_; }

  // BarHost
  bool AddStartup() override;
  void WriteSettings(const Settings& record, const LiveViewValues& live, int32_t displayedBar) override;
  void SetMainWindow(HWND hwnd) override { mainWindow_ = hwnd; }
  ManagerServices& EditingServices() override { return *services_; }

 private:
  void ReadInstallation();
  void AskAutoStart();
  void FirstRun();
  // Sets what the exception barriers show when they stop one.
  void ReportCaughtExceptions();
  // The owner of a message box shown now: none before the bar window exists.
  HWND MessageOwner() const;
  // Starts the look-up of the first frame's icons that the cache lacks.
  void PrefetchShownIcons(ButtonIconCache& icons);
  // Writes the settings record as it is (no bar window yet).
  void WriteSettingsRecord();

  // The message texts first: the database's error reporter uses them.
  MessageTexts texts_;
  Settings settings_;
  CDB db_;
  std::string settingsPath_;
  std::string helpPath_;
  int32_t version_ = 0;
  HWND mainWindow_ = nullptr;
  // Made once the registry key is known; lives for the whole run.
  std::unique_ptr<ShellManagerServices> services_;
  // Keeps the day's first copy of the database before a save replaces it.
  std::unique_ptr<EarlierCopies> copies_;
};
