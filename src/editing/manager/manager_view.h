// What the buttons manager's logic asks of its dialog: the exchange between
// the working fields and the controls, the layout, the tree control that
// mirrors ManagerTree, the questions put to the user and the system services
// (browsing, icon picker, preset bars). The dialog implements it thinly; the
// host tests implement it in memory.
#pragma once

#include <cstdint>
#include <string>

#include "editing/manager/manager_fields.h"

class ManagerTree;

enum class ManagerFocus { kTree, kTarget, kName };

class ManagerView {
 public:
  virtual ~ManagerView() = default;

  // "Take the controls": the controls' values into the fields (icon file and
  // index have no control and are left alone).
  virtual void TakeControls(ManagerFields& fields) = 0;
  // "Show the fields": the fields into the controls.
  virtual void ShowFields(const ManagerFields& fields) = 0;

  virtual bool DetailsPressed() = 0;
  virtual void ShowLayout(int kind, bool details) = 0;
  virtual void EnableFields(bool enable) = 0;
  virtual void EnableSeconds(bool enable) = 0;
  // Captions of the name label and of the availability check box: a bar's or a button's.
  virtual void SetNameCaption(bool bar) = 0;
  virtual void SetAvailableCaption(bool bar) = 0;
  virtual void EnableRestore(bool enable) = 0;
  // "Decline" while a new entry is pending, else "Restore".
  virtual void SetRestoreCaption(bool decline) = 0;
  virtual void Focus(ManagerFocus control) = 0;

  // Both icon boxes: the large icon of an icon file and index, or nothing.
  virtual void ShowIcons(const std::string& iconFile, int32_t iconIndex) = 0;
  virtual void ClearIcons() = 0;
  // Both icon boxes: the shell's large icon of a file just chosen as target.
  virtual void ShowTargetIcon(const std::string& target) = 0;

  // A new, empty image list for the tree.
  virtual void ResetImages() = 0;
  // The small icon of an icon file and index, or an icon resource, appended
  // to the tree's image list; its index there (-1 when there was none).
  virtual int AddIconImage(const std::string& iconFile, int32_t iconIndex) = 0;
  virtual int AddResourceImage(int iconId) = 0;

  // The tree control follows ManagerTree.
  virtual void TreeCleared() = 0;
  virtual void TreeInserted(const ManagerTree& tree, int id) = 0;
  virtual void TreeChanged(const ManagerTree& tree, int id) = 0;
  virtual void TreeRemoved(int id) = 0;
  virtual void TreeExpanded(int id) = 0;
  // Moves the control's selection without asking the manager (kNoItem: none).
  virtual void TreeSelected(int id) = 0;

  // A plain message box with an OK button.
  virtual void ShowMessage(const std::string& text) = 0;
  // A Yes/No question with a question icon; true for Yes.
  virtual bool AskYesNo(const std::string& text) = 0;
  // "Add a button" with no bar selected.
  virtual void ReportNoBarForButton() = 0;
  // The button-type choice: 0 file, 1 folder, 2 web link, -1 cancelled.
  virtual int ChooseButtonKind() = 0;

  // True when the fields changed.
  virtual bool BrowseTarget(int kind, WorkingFields& fields) = 0;
  virtual bool BrowseWorkDir(WorkingFields& fields) = 0;
  virtual bool PickIcon(std::string& iconFile, int32_t& iconIndex) = 0;
  // The preset menu; the ordinal of the bar it added, or -1.
  virtual int32_t AddPresetBar() = 0;
  // The file dialog for a file of bars: one to write (`save`, offered as
  // `suggested`) or one to read; false when cancelled.
  virtual bool ChooseBarsFile(bool save, const std::string& suggested, std::string& path) {
    (void)save, (void)suggested, (void)path;
    return false;
  }
};
