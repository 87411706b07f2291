// The file dialog of the manager's export and import of bars.
#include <windows.h>
#include <commdlg.h>

#include "core/message_ids.h"
#include "core/message_texts.h"
#include "editing/manager/manager_dialog_win.h"
#include "platform/common_dialogs_win.h"

namespace {

// "Text\0*.ext\0" pairs, ending in a second zero.
std::string Filter(const std::vector<std::pair<std::string, std::string>>& pairs) {
  std::string filter;
  for (const auto& [text, pattern] : pairs) {
    filter += text;
    filter += '\0';
    filter += pattern;
    filter += '\0';
  }
  filter += '\0';
  return filter;
}

}  // namespace

bool CButtonsManager::ChooseBarsFile(bool save, const std::string& suggested, std::string& path) {
  const std::string bars = texts_.Text(kMsgBarFilesFilter);
  const std::string filter =
      save ? Filter({{bars, "*.qrbar"}})
           : Filter({{bars, "*.qrbar"}, {texts_.Text(kMsgDatabaseFilesFilter), "*.acc"},
                     {texts_.Text(kMsgAllFilesFilter), "*.*"}});
  const std::string title = texts_.Text(save ? kMsgExportTitle : kMsgImportTitle);
  char file[MAX_PATH] = {};
  suggested.copy(file, MAX_PATH - 1);
  OPENFILENAMEA record = {};
  record.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
  record.hwndOwner = Hwnd();
  record.lpstrFilter = filter.c_str();
  record.nFilterIndex = 1;
  record.lpstrFile = file;
  record.nMaxFile = MAX_PATH;
  record.lpstrTitle = title.c_str();
  record.lpstrDefExt = "qrbar";
  record.Flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST |
                 (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
  if (!(save ? ShowSaveFileDialog(&record) : ShowOpenFileDialog(&record))) return false;
  path = file;
  return true;
}
