// The buttons manager without its window: the tree of bars and buttons, the
// working fields of the selected entry, the leave step that writes them into
// the model (or refuses to leave an entry that lacks a target or a name), the
// structural commands of the tool bar and the undo bracket of Apply, OK and
// Cancel. CButtonsManager drives it and shows what it decides through
// ManagerView.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>

#include "editing/manager/manager_fields.h"
#include "editing/manager/manager_rules.h"
#include "editing/manager/manager_tree.h"
#include "editing/manager/manager_undo.h"

class CBar;
class CDB;
class ManagerHost;
class ManagerView;
class MessageTexts;

class ManagerEditor {
 public:
  ManagerEditor(CDB& db, MessageTexts& texts, ManagerHost& host, ManagerView& view);

  // The dialog has opened: the tree shows the displayed bar's button at
  // `buttonPosition` (the first unless asked otherwise; the bar itself when
  // it has no such button) and the undo point is taken.
  void Open(int32_t buttonPosition = 0);
  // Rebuilds the tree and selects the button at (bar, position), else the bar.
  void FillTree(int32_t barOrdinal, int32_t buttonPosition);

  // The tree control's selection is about to leave the selected item: false
  // keeps it there. Then ItemSelected tells where it went.
  bool LeaveSelected();
  void ItemSelected(int id);
  // Leaves the selected item and selects `id`; false when the leave step refused.
  bool Select(int id);

  bool CommitNewButton();
  bool CommitNewBar();

  void OnRestore();
  void OnDetails();
  void OnAvailable();
  void OnShowOnTimer();
  void OnChangeIcon();
  void OnBrowseTarget();
  void OnBrowseWorkDir();

  void OnAddButton();
  void OnAddBar();
  void OnAddPresetBar();
  void OnDelete();
  void OnSeparator();
  void OnMoveDown() { Move(+1); }
  void OnMoveUp() { Move(-1); }
  // "Export bar...": the selected bar (or the bar of the selected button),
  // with the edits of the selected entry, to a file the user names.
  void OnExportBar();
  // "Import bars...": the bars of a file the user picks go at the end, as an
  // edit that Cancel takes back like any other.
  void OnImportBars();

  // "Apply": the model is saved and a new undo point taken; false when the
  // selected entry could not be left or the save failed.
  bool OnApply();
  // "OK": the model is saved; false when the dialog is to stay open.
  bool OnOK();
  // "Cancel": a pending entry is dropped and the model goes back to the undo point.
  void OnCancel();

  const ManagerTree& Tree() const { return tree_; }
  int Selected() const { return selected_; }
  int32_t SelBar() const { return selBar_; }
  int32_t SelButton() const { return selButton_; }
  const ManagerFields& Fields() const { return fields_; }
  ManagerLayout Layout() const { return layout_; }
  bool UndoInMemory() const { return undo_.InMemory(); }

 private:
  void SetLayout(ManagerLayout kind);
  void TakeControls();
  void ShowFields();
  void ShowIconsOfFields();
  void LoadItemFields();
  void LoadBar(const TreeItem& item);
  void LoadButton(const TreeItem& item);
  void LoadNewButton();
  void LoadNewBar();
  // Leave step for an existing bar or button.
  bool LeaveBar(int id);
  bool LeaveButton(int id);
  // The fields the user changed since the entry was loaded go into `bar`
  // (the bar at selBar_), with what they mean for the home and shown bar.
  void WriteBarFields(CBar& bar);
  // Message 603 or 604 for an empty target or name; true when one was shown.
  bool ReportMissingTargetOrName(bool focusField);
  // The tree image of an icon file and index: extracted once per filling of
  // the tree, since many entries share their icon file.
  int ImageOf(const std::string& iconFile, int32_t iconIndex);
  void Retitle(int id, const std::string& caption, const std::string& iconFile, int32_t iconIndex, bool iconChanged);
  // Selects without a leave step (the entry left is gone or already written).
  void SelectQuietly(int id);
  // Drops a pending placeholder; true when there was one.
  bool DropPlaceholder();
  bool IsPlaceholder(int id) const;
  int BarItem(int32_t ordinal) const;
  void Move(int direction);
  void MoveBar(int direction);
  void MoveButton(int direction);
  void DeleteSelectedItem();
  // The browse step of the target field for the selected button or placeholder.
  void BrowseTarget();
  // Selects the parent of the selected item and the item again.
  bool Reselect();

  CDB& db_;
  MessageTexts& texts_;
  ManagerHost& host_;
  ManagerView& view_;
  ManagerUndo undo_;
  ManagerTree tree_;
  ManagerFields fields_;
  // The fields as the selected entry was loaded: what differs is the user's.
  ManagerFields loaded_;
  int selected_ = kNoItem;
  int32_t selBar_ = -1;
  int32_t selButton_ = -1;
  ManagerLayout layout_ = kLayoutNone;
  std::map<std::pair<std::string, int32_t>, int> images_;
};
