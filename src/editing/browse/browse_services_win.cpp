#include "editing/browse/browse_services_win.h"

#include <shlobj.h>

#include "core/message_texts.h"
#include "editing/browse/browse_folder_win.h"
#include "editing/browse/browse_rules.h"
#include "editing/browse/file_dialog_win.h"
#include "editing/presets/preset_applets_win.h"
#include "editing/presets/preset_builders.h"
#include "editing/presets/preset_menu.h"
#include "editing/presets/preset_menu_win.h"
#include "editing/presets/preset_reading_win.h"
#include "editing/browse/url_file.h"
#include "platform/profile_win.h"
#include "core/message_box_win.h"
#include "core/message_ids.h"
#include "db/cd.h"

namespace {

// An open dialog, Explorer style; the file must exist; no read-only box; a
// shell link is returned as the link file itself, which the program reads.
constexpr DWORD kTargetDialogFlags =
    OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NODEREFERENCELINKS;

// As the shell reports the folder, without creating it; "" when it knows none.
std::string SpecialFolder(int csidl) {
  char path[MAX_PATH] = {};
  if (!::SHGetSpecialFolderPathA(nullptr, path, csidl, FALSE)) return {};
  return path;
}

}  // namespace

ShellManagerServices::ShellManagerServices(MessageTexts& texts, std::string programKey)
    : texts_(texts),
      placesHold_(programKey),
      places_(registry_, placesHold_, std::move(programKey)),
      lastBrowseFolder_(kFirstBrowseFolder) {}

void ShellManagerServices::OnManagerOpened() { places_.SetManagerPlaces(); }

void ShellManagerServices::OnManagerClosed() { places_.RestoreUserPlaces(); }

bool ShellManagerServices::BrowseTarget(HWND manager, int kind, WorkingFields& fields) {
  if (kind == kFolder) {
    const auto folder = BrowseForFolder(manager, texts_.Text(kMsgFolderSelection));
    if (!folder) return false;
    TakeChosenFolder(folder->Path, folder->DisplayName, fields);
    return true;
  }
  if (kind == kInternet) return BrowseInternetShortcut(manager, fields);
  return BrowseFile(manager, fields);
}

bool ShellManagerServices::BrowseFile(HWND manager, WorkingFields& fields) {
  CFileDialog2K dialog(true, nullptr, nullptr, kTargetDialogFlags, TargetFilter(0, texts_), manager);
  dialog.SetInitialFolder(lastBrowseFolder_);
  if (dialog.DoModal() != IDOK) return false;
  const ChosenFile chosen = TakeChosenFile(dialog.PathName(), fields, links_);
  lastBrowseFolder_ = chosen.folder;
  if (chosen.refusal != 0) {
    // As a drop names a refused item: the link, then why; the fields stay as they were.
    const std::string text = dialog.PathName() + ": " + texts_.Text(chosen.refusal);
    ShowProgramMessage(manager, text, MB_OK | MB_ICONWARNING);
    return false;
  }
  return true;
}

bool ShellManagerServices::BrowseInternetShortcut(HWND manager, WorkingFields& fields) {
  CFileDialog2K dialog(true, nullptr, nullptr, kTargetDialogFlags, TargetFilter(2, texts_), manager);
  dialog.SetInitialFolder(lastBrowseFolder_);
  if (dialog.DoModal() != IDOK) return false;
  WinProfile file(dialog.PathName());
  const ShortcutTake taken = TakeInternetShortcut(dialog.PathName(), file, fields);
  if (taken == ShortcutTake::kTooLong) {
    // The one refusal, naming the file; the fields stay as they were.
    const std::string text = texts_.Text(kMsgUrlTooLong) + dialog.PathName();
    ShowProgramMessage(manager, text, MB_OK | MB_ICONWARNING);
  }
  return taken == ShortcutTake::kTaken;
}

bool ShellManagerServices::BrowseWorkDir(HWND manager, WorkingFields& fields) {
  const auto folder = BrowseForFolder(manager, texts_.Text(kMsgWorkingFolderSelection));
  if (!folder) return false;
  fields.WorkDir = folder->Path;
  return true;
}

int32_t ShellManagerServices::AddPresetBar(HWND manager, CDB& db) {
  const int command = ChoosePreset(manager);
  return command != 0 ? AddPreset(command, manager, db) : -1;
}

int32_t ShellManagerServices::AddPreset(int command, HWND manager, CDB& db) {
  if (command == preset::kFolder) {
    const auto folder = BrowseForFolder(manager, texts_.Text(kMsgFolderSelection));
    if (!folder) return -1;
    PresetReading reading(manager);
    return AddPresetToDatabase(db, FolderPreset(folder->Path, folder->DisplayName, lister_, reading.Question()));
  }
  PresetReading reading(manager);
  switch (command) {
    case preset::kControlPanel: {
      WinAppletNamer namer(manager);
      return AddPresetToDatabase(
          db, ControlPanelPreset(SystemFolder(), ControlFolder(), lister_, namer, reading.Question()));
    }
    case preset::kQuickLaunch:
      return AddPresetToDatabase(
          db, QuickLaunchPreset(SpecialFolder(CSIDL_APPDATA), lister_, links_, reading.Question()));
    case preset::kFavorites:
      return AddPresetToDatabase(db, FavoritesPreset(SpecialFolder(CSIDL_FAVORITES), lister_, reading.Question()));
    default:
      return -1;
  }
}
