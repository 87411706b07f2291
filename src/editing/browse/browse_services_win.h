// The system side of the buttons manager: the target and working-folder
// browsers, the places bar of the file dialogs while the manager is open, and
// the preset bars. One object lives for the whole process, so the folder the
// target file dialog opens in is remembered from one manager run to the next.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "editing/manager/manager_services_win.h"
#include "editing/browse/places_bar.h"
#include "editing/browse/places_bar_win.h"
#include "editing/presets/preset_listing_win.h"
#include "editing/browse/shortcut_reader_win.h"
#include "platform/registry_win.h"

class MessageTexts;

class ShellManagerServices : public ManagerServices {
 public:
  // `programKey`: the program's registry key (below HKEY_CURRENT_USER), where
  // a copy of the user's places is kept while the manager is open.
  explicit ShellManagerServices(MessageTexts& texts, std::string programKey = places::kDefaultProgramKey);

  void OnManagerOpened() override;
  void OnManagerClosed() override;
  bool BrowseTarget(HWND manager, int kind, WorkingFields& fields) override;
  bool BrowseWorkDir(HWND manager, WorkingFields& fields) override;
  int32_t AddPresetBar(HWND manager, CDB& db) override;

  // What a preset-menu command (preset::kFolder …) builds: the new bar's
  // ordinal, or -1 when nothing was added.
  int32_t AddPreset(int command, HWND manager, CDB& db);

  const std::string& LastBrowseFolder() const { return lastBrowseFolder_; }
  bool ManagerPlacesInForce() const { return places_.ManagerPlacesInForce(); }

 private:
  bool BrowseFile(HWND manager, WorkingFields& fields);
  bool BrowseInternetShortcut(HWND manager, WorkingFields& fields);

  MessageTexts& texts_;
  WinRegistry registry_;
  NamedPlacesHold placesHold_;
  PlacesBarPolicy places_;
  WinDirectoryLister lister_;
  ShellShortcutReader links_;
  std::string lastBrowseFolder_;
};
