#include "editing/presets/preset_builders.h"

#include "db/cdb.h"
#include "editing/browse/name_rules.h"
#include "editing/presets/preset_listing.h"
#include "editing/browse/shortcut_fields.h"
#include "platform/path_rules.h"

namespace {

bool IsDotEntry(const DirEntry& entry) { return entry.Name == "." || entry.Name == ".."; }

ButtonSpec Button(std::string target, std::string name, std::string workDir, std::string iconFile, int32_t kind) {
  ButtonSpec request;
  request.Target = std::move(target);
  request.Name = std::move(name);
  request.WorkDir = std::move(workDir);
  request.IconFile = std::move(iconFile);
  request.Kind = kind;
  return request;
}

// Folder buttons first, then the entries `takeFile` accepts, each in the order listed.
template <typename MakeFolder, typename TakeFile>
std::vector<ButtonSpec> FoldersThenFiles(const std::vector<DirEntry>& entries, MakeFolder makeFolder,
                                         TakeFile takeFile) {
  std::vector<ButtonSpec> folders;
  std::vector<ButtonSpec> files;
  for (const DirEntry& entry : entries) {
    if (IsDotEntry(entry)) continue;
    if (entry.IsFolder()) {
      folders.push_back(makeFolder(entry.Name));
    } else {
      takeFile(entry.Name, files);
    }
  }
  folders.insert(folders.end(), files.begin(), files.end());
  return folders;
}

bool MayMake(std::size_t count, const ManyItemsQuestion& ask) {
  return count <= kPresetItemsWithoutQuestion || !ask || ask(count);
}

std::vector<DirEntry> FilesOnly(std::vector<DirEntry> entries) {
  std::erase_if(entries, [](const DirEntry& entry) { return entry.IsFolder(); });
  return entries;
}

}  // namespace

std::string ManyPresetItemsQuestion(std::size_t count) {
  return std::to_string(count) + " items were found for the preset quickrail.\nMake a button of each of them?";
}

std::optional<PresetBar> FolderPreset(const std::string& folder, const std::string& displayName,
                                      DirectoryLister& lister, const ManyItemsQuestion& ask) {
  const std::string withSlash = WithFinalBackslash(folder);
  PresetBar bar{displayName, {}};
  bar.Buttons = FoldersThenFiles(
      lister.List(withSlash + "*.*"),
      [&](const std::string& name) {
        const std::string path = withSlash + name;
        return Button(path, name, path, path, 1);
      },
      [&](const std::string& name, std::vector<ButtonSpec>& files) {
        const std::string path = withSlash + name;
        files.push_back(Button(path, NameBeforeLastDot(name), withSlash, path, 0));
      });
  if (!MayMake(bar.Buttons.size(), ask)) return std::nullopt;
  return bar;
}

std::optional<PresetBar> ControlPanelPreset(const std::string& systemFolder, const std::string& controlFolder,
                                            DirectoryLister& lister, AppletNamer& namer,
                                            const ManyItemsQuestion& ask) {
  const std::string system = WithFinalBackslash(systemFolder);
  const std::string control = WithFinalBackslash(controlFolder);
  PresetBar bar{"Control Panel", {}};
  if (systemFolder.empty()) return bar;
  const std::vector<DirEntry> files = FilesOnly(lister.List(system + "*.cpl"));
  if (!MayMake(files.size(), ask)) return std::nullopt;
  for (const DirEntry& entry : files) {
    const AppletList applets = namer.Applets(system + entry.Name);
    if (applets.Refused) continue;
    for (std::size_t i = 0; i < applets.Names.size(); ++i) {
      const std::string& name = applets.Names[i].empty() ? entry.Name : applets.Names[i];
      ButtonSpec request = Button(control + "control.exe", name, control, system + entry.Name, 0);
      request.Arguments = i == 0 ? entry.Name : entry.Name + ",@" + std::to_string(i);
      bar.Buttons.push_back(std::move(request));
    }
  }
  return bar;
}

std::string QuickLaunchFolder(const std::string& appDataFolder) {
  if (appDataFolder.empty()) return {};
  return JoinPath(appDataFolder, "Microsoft\\Internet Explorer\\Quick Launch\\");
}

std::optional<PresetBar> QuickLaunchPreset(const std::string& appDataFolder, DirectoryLister& lister,
                                           ShortcutReader& links, const ManyItemsQuestion& ask) {
  PresetBar bar{"Quick Launch", {}};
  const std::string folder = QuickLaunchFolder(appDataFolder);
  if (folder.empty()) return bar;
  const std::vector<DirEntry> files = FilesOnly(lister.List(folder + "*.lnk"));
  if (!MayMake(files.size(), ask)) return std::nullopt;
  for (const DirEntry& entry : files) {
    // A link that cannot be read at all still runs normally, not hidden.
    ShortcutFields link;
    link.ShowCmd = 1;
    links.ResolveExpanded(folder + entry.Name, link);
    ButtonSpec request = Button(link.Target, NameBeforeLastDot(entry.Name), link.WorkDir, link.IconFile, 0);
    request.Arguments = link.Arguments;
    request.IconIndex = link.IconIndex;
    request.ShowCmd = link.ShowCmd;
    bar.Buttons.push_back(std::move(request));
  }
  return bar;
}

std::optional<PresetBar> FavoritesPreset(const std::string& favoritesFolder, DirectoryLister& lister,
                                         const ManyItemsQuestion& ask) {
  PresetBar bar{"Favorites", {}};
  if (favoritesFolder.empty()) return bar;
  const std::string withSlash = WithFinalBackslash(favoritesFolder);
  bar.Buttons = FoldersThenFiles(
      lister.List(withSlash + "*.*"),
      [&](const std::string& name) { return Button(withSlash + name, name, withSlash, withSlash + name, 1); },
      [&](const std::string& name, std::vector<ButtonSpec>& files) {
        if (!ContainsExact(name, ".url")) return;
        files.push_back(Button(withSlash + name, NameBeforeLastDot(name), withSlash, withSlash + name, 0));
      });
  if (!MayMake(bar.Buttons.size(), ask)) return std::nullopt;
  return bar;
}

int32_t AddPresetToDatabase(CDB& db, const std::optional<PresetBar>& preset) {
  if (!preset) return -1;
  const int32_t ordinal = db.AddBar(preset->Name);
  if (ordinal < 0) return -1;
  for (ButtonSpec request : preset->Buttons) {
    request.Bar = ordinal;
    request.Position = -1;
    db.AddButton(std::move(request));
  }
  return ordinal;
}
