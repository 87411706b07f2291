// The buttons manager's dialog in memory: `controls` stands for what the
// controls show (a test types into it), and every other effect is recorded.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "editing/manager_host.h"
#include "editing/manager_tree.h"
#include "editing/manager_view.h"

class FakeManagerView : public ManagerView {
 public:
  void TakeControls(ManagerFields& fields) override {
    const std::string iconFile = fields.IconFile;
    const int32_t iconIndex = fields.IconIndex;
    fields = controls;
    fields.IconFile = iconFile;  // no control holds the icon
    fields.IconIndex = iconIndex;
  }
  void ShowFields(const ManagerFields& fields) override { controls = fields; }
  bool DetailsPressed() override { return details; }
  void ShowLayout(int kind, bool pressed) override {
    layout = kind;
    layoutDetails = pressed;
  }
  void EnableFields(bool enable) override { fieldsEnabled = enable; }
  void EnableSeconds(bool enable) override { secondsEnabled = enable; }
  void SetNameCaption(bool bar) override { barCaptions = bar; }
  void SetAvailableCaption(bool bar) override { barAvailableCaption = bar; }
  void EnableRestore(bool enable) override { restoreEnabled = enable; }
  void SetRestoreCaption(bool decline) override { restoreDeclines = decline; }
  void Focus(ManagerFocus control) override { focus = control; }
  void ShowIcons(const std::string& iconFile, int32_t iconIndex) override {
    icons = iconFile + "," + std::to_string(iconIndex);
  }
  void ClearIcons() override { icons.clear(); }
  void ShowTargetIcon(const std::string& target) override { icons = "shell:" + target; }
  void ResetImages() override { images.clear(); }
  int AddIconImage(const std::string& iconFile, int32_t iconIndex) override {
    images.push_back(iconFile + "," + std::to_string(iconIndex));
    return static_cast<int>(images.size()) - 1;
  }
  int AddResourceImage(int iconId) override {
    images.push_back("#" + std::to_string(iconId));
    return static_cast<int>(images.size()) - 1;
  }
  void TreeCleared() override { treeLog.push_back("clear"); }
  void TreeInserted(const ManagerTree& tree, int id) override { treeLog.push_back("insert " + tree.At(id).Caption); }
  void TreeChanged(const ManagerTree& tree, int id) override { treeLog.push_back("change " + tree.At(id).Caption); }
  void TreeRemoved(int id) override { treeLog.push_back("remove " + std::to_string(id)); }
  void TreeExpanded(int) override {}
  void TreeSelected(int id) override { treeSelection = id; }
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  bool AskYesNo(const std::string& text) override {
    questions.push_back(text);
    return answerYes;
  }
  void ReportNoBarForButton() override { messages.push_back("no bar for the button"); }
  int ChooseButtonKind() override { return chosenKind; }
  bool BrowseTarget(int kind, WorkingFields& fields) override {
    browsedKinds.push_back(kind);
    return browse ? browse(fields) : false;
  }
  bool BrowseWorkDir(WorkingFields& fields) override { return browseWorkDir ? browseWorkDir(fields) : false; }
  bool PickIcon(std::string& iconFile, int32_t& iconIndex) override {
    if (pickedIcon.empty()) return false;
    iconFile = pickedIcon;
    iconIndex = pickedIndex;
    return true;
  }
  int32_t AddPresetBar() override { return addPreset ? addPreset() : -1; }

  ManagerFields controls;
  bool details = false;
  int layout = -1;
  bool layoutDetails = false;
  bool fieldsEnabled = true;
  bool secondsEnabled = true;
  bool barCaptions = false;
  bool barAvailableCaption = false;
  bool restoreEnabled = false;
  bool restoreDeclines = false;
  ManagerFocus focus = ManagerFocus::kTree;
  std::string icons;
  std::vector<std::string> images;
  std::vector<std::string> treeLog;
  int treeSelection = kNoItem;
  std::vector<std::string> messages;
  std::vector<std::string> questions;
  bool answerYes = true;
  int chosenKind = 0;
  std::vector<int> browsedKinds;
  std::function<bool(WorkingFields&)> browse;
  std::function<bool(WorkingFields&)> browseWorkDir;
  std::string pickedIcon;
  int32_t pickedIndex = 0;
  std::function<int32_t()> addPreset;
};

class FakeManagerHost : public ManagerHost {
 public:
  int DisplayedBar() override { return displayed; }
  void SetDisplayedBar(int ordinal) override { displayed = ordinal; }
  void RebuildButtons() override { ++rebuilds; }

  int displayed = 0;
  int rebuilds = 0;
};
