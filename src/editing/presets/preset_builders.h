// The preset bars: a bar of buttons made from what a folder holds, from the
// Control Panel applets, from the Quick Launch shortcuts or from the
// Favorites. The builders only read (through the listing, the link reader and
// the applet namer); AddPresetToDatabase then makes the bar in the model.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "db/new_button.h"

class CDB;
class DirectoryLister;
class ShortcutReader;

struct PresetBar {
  std::string Name;
  std::vector<ButtonSpec> Buttons;  // Bar is set when the bar is added
};

class AppletNamer {
 public:
  virtual ~AppletNamer() = default;
  // The name the Control Panel applet library at `appletPath` gives its first
  // applet; "" when it cannot be loaded or gives none.
  virtual std::string AppletName(const std::string& appletPath) = 0;
};

// Every subfolder of `folder` (folder buttons), then every other entry,
// hidden and system files included (file buttons). The bar is named
// `displayName`, the name the folder browser showed.
PresetBar FolderPreset(const std::string& folder, const std::string& displayName, DirectoryLister& lister);

// One button per ".cpl" file of `systemFolder`, each running "control.exe"
// from `controlFolder` with the applet's file name as its argument.
PresetBar ControlPanelPreset(const std::string& systemFolder, const std::string& controlFolder,
                             DirectoryLister& lister, AppletNamer& namer);

// One button per ".lnk" file in the Quick Launch folder below the user's
// application-data folder, with the link's fields and show command. An empty
// `appDataFolder` (the shell knows none) gives a bar without buttons.
PresetBar QuickLaunchPreset(const std::string& appDataFolder, DirectoryLister& lister, ShortcutReader& links);
std::string QuickLaunchFolder(const std::string& appDataFolder);

// The subfolders of the Favorites folder, then its files whose name contains
// ".url"; the internet shortcuts become file buttons that open the file itself.
PresetBar FavoritesPreset(const std::string& favoritesFolder, DirectoryLister& lister);

// Adds the bar and then its buttons, at the end, in order. The new bar's
// ordinal, or -1 when no bar could be added (nothing is added then).
int32_t AddPresetToDatabase(CDB& db, const PresetBar& preset);
