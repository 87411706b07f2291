// The preset bars: a bar of buttons made from what a folder holds, from the
// Control Panel applets, from the Quick Launch shortcuts or from the
// Favorites. The builders only read (through the listing, the link reader and
// the applet namer); AddPresetToDatabase then makes the bar in the model.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
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

// What a Control Panel applet library says about itself.
struct AppletList {
  // It answered 0 to its initialisation: it gives no buttons.
  bool Refused = false;
  // One name per applet it counts; "" for one it gives no name.
  std::vector<std::string> Names;
};

class AppletNamer {
 public:
  virtual ~AppletNamer() = default;
  // The applets of the library at `appletPath`; a library that cannot be
  // loaded or has no entry point counts as one applet without a name.
  virtual AppletList Applets(const std::string& appletPath) = 0;
};

// Up to this many buttons a preset makes without asking; above it the
// question is asked with the number of items, before each one is read
// further (applets loaded, links resolved). No (false) makes nothing.
inline constexpr std::size_t kPresetItemsWithoutQuestion = 64;
using ManyItemsQuestion = std::function<bool(std::size_t count)>;
std::string ManyPresetItemsQuestion(std::size_t count);

// Every subfolder of `folder` (folder buttons), then every other entry,
// hidden and system files included (file buttons). The bar is named
// `displayName`, the name the folder browser showed. Each builder gives
// nothing when the question about many items is answered No; an empty `ask`
// answers Yes.
std::optional<PresetBar> FolderPreset(const std::string& folder, const std::string& displayName,
                                      DirectoryLister& lister, const ManyItemsQuestion& ask = {});

// One button per applet of each ".cpl" file of `systemFolder` that does not
// refuse, each running "control.exe" from `controlFolder` with the applet's
// file name as its argument (",@n" after it for the library's applet n > 0).
std::optional<PresetBar> ControlPanelPreset(const std::string& systemFolder, const std::string& controlFolder,
                                            DirectoryLister& lister, AppletNamer& namer,
                                            const ManyItemsQuestion& ask = {});

// One button per ".lnk" file in the Quick Launch folder below the user's
// application-data folder, with the link's fields and show command. An empty
// `appDataFolder` (the shell knows none) gives a bar without buttons.
std::optional<PresetBar> QuickLaunchPreset(const std::string& appDataFolder, DirectoryLister& lister,
                                           ShortcutReader& links, const ManyItemsQuestion& ask = {});
std::string QuickLaunchFolder(const std::string& appDataFolder);

// The subfolders of the Favorites folder, then its files whose name contains
// ".url"; the internet shortcuts become file buttons that open the file itself.
std::optional<PresetBar> FavoritesPreset(const std::string& favoritesFolder, DirectoryLister& lister,
                                         const ManyItemsQuestion& ask = {});

// Adds the bar and then its buttons, at the end, in order. The new bar's
// ordinal, or -1 when there is no preset or no bar could be added (nothing is
// added then).
int32_t AddPresetToDatabase(CDB& db, const std::optional<PresetBar>& preset);
