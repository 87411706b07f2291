#include "editing/manager/manager_editor.h"

#include "core/message_texts.h"
#include "db/cdb.h"
#include "editing/manager/manager_host.h"
#include "editing/manager/manager_rules.h"
#include "editing/manager/manager_view.h"
#include "editing_ids.h"
#include "core/message_ids.h"

ManagerEditor::ManagerEditor(CDB& db, MessageTexts& texts, ManagerHost& host, ManagerView& view)
    : db_(db), texts_(texts), host_(host), view_(view), undo_(db, host) {}

void ManagerEditor::Open(int32_t buttonPosition) {
  FillTree(host_.DisplayedBar(), buttonPosition);
  view_.EnableRestore(false);
  undo_.Begin();
}

void ManagerEditor::FillTree(int32_t barOrdinal, int32_t buttonPosition) {
  view_.ResetImages();
  images_.clear();
  const int rootImage = view_.AddResourceImage(IDI_MGR_ROOT);
  view_.TreeCleared();
  selected_ = kNoItem;
  const int root = tree_.AddRoot(texts_.Text(kMsgManagerRoot), rootImage);
  view_.TreeInserted(tree_, root);

  int separatorImage = -1;  // one image serves every separator
  int chosen = kNoItem;
  for (int32_t ordinal = 0; ordinal < db_.BarCount(); ++ordinal) {
    const CBar& bar = *db_.Bar(ordinal);
    const int barItem =
        tree_.Append(root, ItemKind::kBar, bar.Name, ImageOf(bar.IconFile, bar.IconIndex), ordinal);
    view_.TreeInserted(tree_, barItem);
    if (ordinal == barOrdinal) chosen = barItem;
    for (int32_t position = 0; position < bar.Count(); ++position) {
      const CD& button = *bar.At(position);
      int item;
      if (button.IsSeparator) {
        if (separatorImage < 0) separatorImage = view_.AddResourceImage(IDI_MGR_SEPARATOR);
        item = tree_.Append(barItem, ItemKind::kSeparator, texts_.Text(kMsgSeparatorName), separatorImage, position);
      } else {
        item = tree_.Append(barItem, ItemKind::kButton, button.Name,
                            ImageOf(button.IconFile, button.IconIndex), position);
      }
      view_.TreeInserted(tree_, item);
      if (ordinal == barOrdinal && position == buttonPosition) chosen = item;
    }
  }
  view_.TreeExpanded(root);

  if (chosen != kNoItem) {
    SelectQuietly(chosen);
  } else {
    selBar_ = selButton_ = -1;
    view_.TreeSelected(kNoItem);
    SetLayout(kLayoutNone);
    ShowFields();
  }
}

bool ManagerEditor::Select(int id) {
  if (!LeaveSelected()) return false;
  SelectQuietly(id);
  return true;
}

void ManagerEditor::SelectQuietly(int id) {
  selected_ = tree_.Exists(id) ? id : kNoItem;
  view_.TreeSelected(selected_);
  LoadItemFields();
}

void ManagerEditor::ItemSelected(int id) {
  selected_ = tree_.Exists(id) ? id : kNoItem;
  LoadItemFields();
}

void ManagerEditor::SetLayout(ManagerLayout kind) {
  layout_ = kind;
  view_.ShowLayout(kind, view_.DetailsPressed());
}

void ManagerEditor::TakeControls() { view_.TakeControls(fields_); }

void ManagerEditor::ShowFields() { view_.ShowFields(fields_); }

void ManagerEditor::ShowIconsOfFields() {
  if (fields_.IconFile.empty())
    view_.ClearIcons();
  else
    view_.ShowIcons(fields_.IconFile, fields_.IconIndex);
}

void ManagerEditor::LoadItemFields() {
  if (selected_ == kNoItem) {
    selBar_ = selButton_ = -1;
    SetLayout(kLayoutNone);
  } else if (tree_.At(selected_).Kind == ItemKind::kRoot) {
    selBar_ = selButton_ = -1;
    SetLayout(kLayoutNone);
  } else if (tree_.IsBarLevel(selected_)) {
    SetLayout(kLayoutBar);
    if (tree_.At(selected_).Kind == ItemKind::kNewBar)
      LoadNewBar();
    else
      LoadBar(tree_.At(selected_));
    view_.SetNameCaption(true);
  } else if (tree_.At(selected_).Kind == ItemKind::kNewButton) {
    LoadNewButton();
  } else {
    LoadButton(tree_.At(selected_));
  }
  view_.Focus(ManagerFocus::kTree);
  loaded_ = fields_;
  ShowFields();
}

void ManagerEditor::LoadBar(const TreeItem& item) {
  const CBar* bar = db_.Bar(item.Data);
  if (!bar) return;
  selBar_ = item.Data;
  selButton_ = -1;
  fields_.Name = bar->Name;
  fields_.Available = bar->Available;
  fields_.IconFile = bar->IconFile;
  fields_.IconIndex = bar->IconIndex;
  view_.EnableFields(fields_.Available != 0);
  view_.ShowIcons(fields_.IconFile, fields_.IconIndex);
  // Only the home bar shows its return options: they act for no other bar.
  const bool home = db_.GetHomeBar() == selBar_;
  fields_.ShowOnLaunch = home && bar->ShowOnLaunch ? 1 : 0;
  fields_.ShowOnTimer = home && bar->ShowOnTimer ? 1 : 0;
  view_.EnableSeconds(fields_.ShowOnTimer && fields_.Available);
  fields_.ShowAfterSeconds = fields_.ShowOnTimer ? ShowAfterSecondsOf(bar->ShowAfter) : 1;
  view_.SetAvailableCaption(true);
}

void ManagerEditor::LoadNewBar() {
  // What a new bar gets unless the user changes it.
  selButton_ = -1;
  fields_.Name.clear();
  fields_.Available = 1;
  fields_.ShowOnLaunch = fields_.ShowOnTimer = 0;
  fields_.ShowAfterSeconds = 1;
  fields_.IconFile = db_.DefaultIconFile();
  fields_.IconIndex = 0;
  view_.EnableFields(true);
  view_.EnableSeconds(false);
  view_.ShowIcons(fields_.IconFile, fields_.IconIndex);
  view_.SetAvailableCaption(true);
}

void ManagerEditor::LoadNewButton() {
  static_cast<ButtonFields&>(fields_) = {};
  fields_.SizeChoice = 0;
  // A new button is available, whatever the entry shown before was.
  fields_.Available = 1;
  view_.EnableFields(true);
  view_.ClearIcons();
  view_.SetNameCaption(false);
  view_.SetAvailableCaption(false);
}

void ManagerEditor::LoadButton(const TreeItem& item) {
  view_.SetNameCaption(false);
  selBar_ = tree_.At(item.Parent).Data;
  selButton_ = item.Data;
  const CBar* bar = db_.Bar(selBar_);
  const CD* button = bar ? bar->At(selButton_) : nullptr;
  if (item.Kind == ItemKind::kSeparator || !button) {
    SetLayout(kLayoutNone);
    return;
  }
  SetLayout(ButtonLayout(button->Kind));
  fields_.Available = button->Available;
  static_cast<ButtonFields&>(fields_) = *button;
  // A show command the list does not name (7, from a "minimised" shortcut)
  // selects no item, and stays as long as the list is not touched.
  fields_.SizeChoice = SizeChoiceForShowCmd(button->ShowCmd, kNoSizeChoice);
  view_.EnableFields(fields_.Available != 0);
  view_.ShowIcons(fields_.IconFile, fields_.IconIndex);
  view_.SetAvailableCaption(false);
}

int ManagerEditor::ImageOf(const std::string& iconFile, int32_t iconIndex) {
  auto [at, added] = images_.try_emplace({iconFile, iconIndex}, -1);
  if (added) at->second = view_.AddIconImage(iconFile, iconIndex);
  return at->second;
}

void ManagerEditor::Retitle(int id, const std::string& caption, const std::string& iconFile, int32_t iconIndex,
                            bool iconChanged) {
  TreeItem& item = tree_.At(id);
  item.Caption = caption;
  if (iconChanged) item.Image = ImageOf(iconFile, iconIndex);
  view_.TreeChanged(tree_, id);
}
