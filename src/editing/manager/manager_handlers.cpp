// The manager's handlers of its field controls and of Apply, OK and Cancel.
#include "db/cdb.h"
#include "editing/manager/manager_editor.h"
#include "editing/manager/manager_host.h"
#include "editing/manager/manager_rules.h"
#include "editing/manager/manager_view.h"
#include "core/message_texts.h"

bool ManagerEditor::IsPlaceholder(int id) const {
  if (!tree_.Exists(id)) return false;
  const ItemKind kind = tree_.At(id).Kind;
  return kind == ItemKind::kNewButton || kind == ItemKind::kNewBar;
}

bool ManagerEditor::DropPlaceholder() {
  if (!IsPlaceholder(selected_)) return false;
  const int gone = selected_;
  int next = tree_.PreviousSibling(gone);
  if (next == kNoItem) next = tree_.Parent(gone);
  tree_.Remove(gone);
  view_.TreeRemoved(gone);
  view_.SetRestoreCaption(false);
  SelectQuietly(next);
  return true;
}

void ManagerEditor::OnRestore() {
  if (!DropPlaceholder()) {
    view_.SetRestoreCaption(false);
    ShowFields();
  }
  view_.EnableRestore(false);
}

void ManagerEditor::OnDetails() {
  TakeControls();  // what was typed survives the new layout
  const ItemKind kind = selected_ == kNoItem ? ItemKind::kRoot : tree_.At(selected_).Kind;
  if (kind != ItemKind::kRoot && tree_.IsBarLevel(selected_)) {
    SetLayout(kLayoutBar);
  } else if (kind == ItemKind::kRoot || kind == ItemKind::kSeparator || selBar_ == -1) {
    SetLayout(kLayoutNone);
  } else if (kind == ItemKind::kNewButton) {
    SetLayout(ButtonLayout(tree_.At(selected_).Data));
  } else {
    const CBar* bar = db_.Bar(selBar_);
    const CD* button = bar ? bar->At(selButton_) : nullptr;
    SetLayout(ButtonLayout(button ? button->Kind : kFile));
  }
  ShowFields();
  ShowIconsOfFields();
}

void ManagerEditor::OnAvailable() {
  TakeControls();
  view_.EnableFields(fields_.Available != 0);
  if (layout_ == kLayoutBar) view_.EnableSeconds(fields_.Available && fields_.ShowOnTimer);
}

void ManagerEditor::OnShowOnTimer() {
  TakeControls();
  view_.EnableSeconds(fields_.ShowOnTimer != 0);
  const bool existingBar = tree_.Exists(selected_) && tree_.At(selected_).Kind == ItemKind::kBar;
  const CBar* bar = existingBar ? db_.Bar(selBar_) : nullptr;
  fields_.ShowAfterSeconds = bar && bar->ShowAfter > 0 ? ShowAfterSecondsOf(bar->ShowAfter) : 1;
  ShowFields();
}

void ManagerEditor::OnChangeIcon() {
  std::string file = fields_.IconFile;
  int32_t index = fields_.IconIndex;
  if (!view_.PickIcon(file, index)) return;
  fields_.IconFile = file;
  fields_.IconIndex = index;
  view_.ShowIcons(file, index);
}

void ManagerEditor::OnBrowseTarget() {
  if (selBar_ == -1) return;
  TakeControls();  // a cancelled browse keeps what was typed
  BrowseTarget();
}

void ManagerEditor::BrowseTarget() {
  if (!tree_.Exists(selected_)) return;
  const TreeItem& item = tree_.At(selected_);
  int32_t kind;
  if (item.Kind == ItemKind::kNewButton) {
    kind = item.Data;
  } else if (item.Kind == ItemKind::kButton) {
    const CD* button = db_.Bar(selBar_) ? db_.Bar(selBar_)->At(selButton_) : nullptr;
    if (!button) return;
    kind = button->Kind;
  } else {
    return;
  }
  const bool changed = view_.BrowseTarget(kind, fields_);
  ShowFields();
  if (changed && kind == kFile) view_.ShowTargetIcon(fields_.Target);
}

void ManagerEditor::OnBrowseWorkDir() {
  if (selBar_ == -1) return;
  TakeControls();
  if (view_.BrowseWorkDir(fields_)) ShowFields();
}

bool ManagerEditor::Reselect() {
  const int item = selected_;
  const int parent = tree_.Parent(item);
  if (parent == kNoItem) return LeaveSelected();
  // Leaving through the parent writes the entry (or commits a pending one) and
  // coming back shows it as the model now holds it.
  return Select(parent) && Select(item);
}

bool ManagerEditor::OnApply() {
  if (!Reselect()) return false;
  // A save that did not reach the disk keeps the undo point as it was.
  if (!undo_.Commit()) return false;
  undo_.Begin();
  host_.ApplyOptions();
  return true;
}

bool ManagerEditor::OnOK() { return Reselect() && undo_.Commit(); }

void ManagerEditor::OnCancel() {
  DropPlaceholder();
  // The failing step has been reported by the database; this says what the
  // bars now show.
  switch (undo_.Rollback()) {
    case CDB::Rollback::kFromUndoCopy: view_.ShowMessage(texts_.Text(kMsgCancelShowsUndoCopy)); break;
    case CDB::Rollback::kFromDatabase: view_.ShowMessage(texts_.Text(kMsgCancelShowsDatabase)); break;
    case CDB::Rollback::kUnreadable: view_.ShowMessage(texts_.Text(kMsgCancelReadNothing)); break;
    case CDB::Rollback::kNoUndoPoint:
    case CDB::Rollback::kRestored: break;
  }
}
