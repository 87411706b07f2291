// The manager's export and import of bars.
#include "core/message_ids.h"
#include "core/message_texts.h"
#include "db/bar_transfer.h"
#include "db/cdb.h"
#include "editing/manager/manager_editor.h"
#include "editing/manager/manager_view.h"

namespace {

// The bar's name as a file name: what a file name cannot hold becomes "_".
std::string BarFileName(const std::string& name) {
  std::string file = name.empty() ? "bar" : name;
  for (char& c : file)
    if (std::string("\\/:*?\"<>|").find(c) != std::string::npos || static_cast<unsigned char>(c) < 32) c = '_';
  return file + ".qrbar";
}

}  // namespace

void ManagerEditor::OnExportBar() {
  TakeControls();
  // What was typed into the selected entry goes into the model, and so into the file.
  if (tree_.Exists(selected_) && !Reselect()) return;
  const CBar* bar = db_.Bar(selBar_);
  if (!bar) {
    view_.ShowMessage(texts_.Text(kMsgExportNoBar));
    return;
  }
  std::string path;
  if (!view_.ChooseBarsFile(true, BarFileName(bar->Name), path)) return;
  if (!ExportBar(db_, *bar, path)) view_.ShowMessage(texts_.Text(kMsgExportFailed) + path);
}

void ManagerEditor::OnImportBars() {
  TakeControls();
  // The tree is filled anew afterwards: what was typed reaches the model first.
  if (tree_.Exists(selected_) && !Reselect()) return;
  std::string path;
  if (!view_.ChooseBarsFile(false, "", path)) return;
  int32_t first = -1;
  switch (ImportBars(db_, path, first)) {
    case ImportResult::kImported: FillTree(first, 0); return;
    case ImportResult::kUnreadable: view_.ShowMessage(texts_.Text(kMsgImportRefused) + path); return;
    case ImportResult::kNoBars: view_.ShowMessage(texts_.Text(kMsgImportNoBars) + path); return;
  }
}
