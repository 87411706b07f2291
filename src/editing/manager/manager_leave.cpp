// The buttons manager's leave step: what the fields of the selected entry
// write into the model when the selection moves on, or why it may not move.
#include "core/message_texts.h"
#include "db/cdb.h"
#include "editing/manager/manager_editor.h"
#include "editing/manager/manager_host.h"
#include "editing/manager/manager_rules.h"
#include "editing/manager/manager_view.h"
#include "core/message_ids.h"

bool ManagerEditor::LeaveSelected() {
  view_.EnableRestore(false);
  TakeControls();
  if (selected_ == kNoItem) return true;
  const ItemKind kind = tree_.At(selected_).Kind;
  if (selBar_ == -1 && kind != ItemKind::kNewBar) return true;
  switch (kind) {
    case ItemKind::kNewButton: return CommitNewButton();
    case ItemKind::kNewBar: return CommitNewBar();
    case ItemKind::kBar: return LeaveBar(selected_);
    case ItemKind::kButton: return LeaveButton(selected_);
    case ItemKind::kSeparator:
    case ItemKind::kRoot: return true;
  }
  return true;
}

bool ManagerEditor::ReportMissingTargetOrName(bool checkTarget) {
  if (checkTarget && fields_.Target.empty()) {
    view_.ShowMessage(texts_.Text(kMsgNoTarget));
    view_.Focus(ManagerFocus::kTarget);
  } else if (fields_.Name.empty()) {
    view_.ShowMessage(texts_.Text(kMsgNoName));
    view_.Focus(ManagerFocus::kName);
  } else {
    return false;
  }
  view_.EnableRestore(true);
  return true;
}

bool ManagerEditor::LeaveBar(int id) {
  if (ReportMissingTargetOrName(false)) return false;
  CBar* bar = db_.Bar(selBar_);
  if (!bar) return true;
  const bool iconChanged = fields_.IconFile != loaded_.IconFile || fields_.IconIndex != loaded_.IconIndex;
  const bool renamed = fields_.Name != loaded_.Name;
  WriteBarFields(*bar);
  if (renamed || iconChanged) Retitle(id, bar->Name, bar->IconFile, bar->IconIndex, iconChanged);
  return true;
}

void ManagerEditor::WriteBarFields(CBar& bar) {
  // Only what the user changed is written: a stored value the dialog shows
  // rounded or not at all stays as it was.
  if (fields_.Name != loaded_.Name) bar.Name = fields_.Name;
  if (fields_.IconFile != loaded_.IconFile || fields_.IconIndex != loaded_.IconIndex) {
    bar.IconFile = fields_.IconFile;
    bar.IconIndex = fields_.IconIndex;
  }
  const bool homeChanged = fields_.Available != loaded_.Available || fields_.ShowOnLaunch != loaded_.ShowOnLaunch ||
                           fields_.ShowOnTimer != loaded_.ShowOnTimer;
  // The edit takes any digits; the delay stays within what the window can wait.
  if (fields_.ShowAfterSeconds != loaded_.ShowAfterSeconds || (homeChanged && fields_.ShowOnTimer))
    bar.ShowAfter = ClampShowAfterSeconds(fields_.ShowAfterSeconds) * 1000;
  if (!homeChanged) return;
  // Availability and the return options decide the home bar together, as the
  // dialog shows them.
  bar.Available = fields_.Available ? 1 : 0;
  bar.ShowOnLaunch = fields_.ShowOnLaunch ? 1 : 0;
  bar.ShowOnTimer = fields_.ShowOnTimer ? 1 : 0;
  if (bar.Available && (bar.ShowOnLaunch || bar.ShowOnTimer))
    db_.SetHomeBar(selBar_);
  else if (db_.GetHomeBar() == selBar_)
    db_.SetHomeBar(-1);
  if (host_.DisplayedBar() == selBar_ && !bar.Available) {
    // With no bar available at all the window keeps showing this one.
    const int32_t first = FirstAvailableBar(db_);
    if (first >= 0) host_.SetDisplayedBar(first);
  }
}

bool ManagerEditor::LeaveButton(int id) {
  if (ReportMissingTargetOrName(true)) return false;
  CBar* bar = db_.Bar(selBar_);
  CD* button = bar ? bar->At(selButton_) : nullptr;
  if (!button) return true;
  const ManagerFields& was = loaded_;
  const bool iconChanged = fields_.IconFile != was.IconFile || fields_.IconIndex != was.IconIndex;
  const bool renamed = fields_.Name != was.Name;
  // Only what the user changed is written back.
  if (fields_.Available != was.Available) {
    button->Available = fields_.Available ? 1 : 0;
    button->TargetMissing = 0;  // the user's choice now, not the check's
  }
  if (fields_.Target != was.Target) button->Target = fields_.Target;
  if (renamed) button->Name = fields_.Name;
  if (fields_.WorkDir != was.WorkDir) button->WorkDir = fields_.WorkDir;
  if (fields_.Arguments != was.Arguments) button->Arguments = fields_.Arguments;
  if (fields_.SizeChoice != was.SizeChoice) button->ShowCmd = ShowCmdForSizeChoice(fields_.SizeChoice, button->ShowCmd);
  if (iconChanged) {
    button->IconFile = fields_.IconFile;
    button->IconIndex = fields_.IconIndex;
  }
  if (renamed || iconChanged) Retitle(id, button->Name, button->IconFile, button->IconIndex, iconChanged);
  return true;
}

bool ManagerEditor::CommitNewButton() {
  TakeControls();
  if (!tree_.Exists(selected_) || tree_.At(selected_).Kind != ItemKind::kNewButton) return false;
  if (ReportMissingTargetOrName(true)) return false;
  const int32_t kind = tree_.At(selected_).Data;
  if (kind == kInternet) {
    fields_.Target = WebAddress(fields_.Target);
    // The web icon, as the sample bar's web button has it.
    if (fields_.IconFile.empty()) fields_.IconFile = fields_.Target;
  }
  ButtonSpec request = ButtonSpecOf(fields_, kind);
  request.Bar = selBar_;
  // The button before the placeholder, or -1 in an empty bar: the new one lands
  // where the placeholder stands.
  request.Position = selButton_;
  request.Available = fields_.Available ? 1 : 0;
  if (!db_.AddButton(request)) return false;
  ++selButton_;

  TreeItem& item = tree_.At(selected_);
  item.Kind = ItemKind::kButton;
  item.Caption = fields_.Name;
  item.Data = selButton_;
  item.Image = ImageOf(fields_.IconFile, fields_.IconIndex);
  tree_.ShiftLaterSiblings(selected_, +1);
  view_.TreeChanged(tree_, selected_);
  view_.SetRestoreCaption(false);
  return true;
}

bool ManagerEditor::CommitNewBar() {
  TakeControls();
  if (!tree_.Exists(selected_) || tree_.At(selected_).Kind != ItemKind::kNewBar) return false;
  if (ReportMissingTargetOrName(false)) return false;
  const int32_t ordinal = db_.AddBar(fields_.Name);
  CBar* bar = db_.Bar(ordinal);
  if (!bar) return false;
  // The new bar takes every field the user set, not only its name.
  selBar_ = ordinal;
  WriteBarFields(*bar);
  TreeItem& item = tree_.At(selected_);
  item.Kind = ItemKind::kBar;
  item.Caption = bar->Name;
  item.Data = ordinal;
  item.Image = ImageOf(bar->IconFile, bar->IconIndex);
  view_.TreeChanged(tree_, selected_);
  view_.SetRestoreCaption(false);
  selBar_ = ordinal;
  selButton_ = -1;
  return true;
}
