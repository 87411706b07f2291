// The buttons manager's dialog in memory: `controls` stands for what the
// controls show (a test types into it), and every other effect is recorded.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "editing/manager/manager_host.h"
#include "editing/manager/manager_tree.h"
#include "editing/manager/manager_view.h"

class FakeManagerView : public ManagerView {
 public:
  void TakeControls(ManagerFields& fields) override {
    ManagerFields taken = controls;
    taken.IconFile = fields.IconFile;  // no control holds the icon
    taken.IconIndex = fields.IconIndex;
    fields = taken;
  }
  void ShowFields(const ManagerFields& fields) override { controls = fields; }
  bool DetailsPressed() override { return details; }
  void ShowLayout(int kind, bool pressed) override { layout = kind, layoutDetails = pressed; }
  void EnableFields(bool enable) override { fieldsEnabled = enable; }
  void EnableSeconds(bool enable) override { secondsEnabled = enable; }
  void SetNameCaption(bool) override {}
  void SetAvailableCaption(bool bar) override { barAvailableCaption = bar; }
  void EnableRestore(bool enable) override { restoreEnabled = enable; }
  void SetRestoreCaption(bool decline) override { restoreDeclines = decline; }
  void Focus(ManagerFocus control) override { focus = control; }
  void ShowIcons(const std::string& file, int32_t index) override { icons = file + "," + std::to_string(index); }
  void ClearIcons() override { icons.clear(); }
  void ShowTargetIcon(const std::string& target) override { icons = "shell:" + target; }
  void ResetImages() override { images.clear(); }
  int AddIconImage(const std::string& file, int32_t index) override {
    return AddImage(file + "," + std::to_string(index));
  }
  int AddResourceImage(int iconId) override { return AddImage("#" + std::to_string(iconId)); }
  void TreeCleared() override {}
  void TreeInserted(const ManagerTree&, int) override {}
  void TreeChanged(const ManagerTree&, int) override {}
  void TreeRemoved(int) override {}
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
  bool BrowseWorkDir(WorkingFields&) override { return false; }
  bool PickIcon(std::string& file, int32_t& index) override {
    if (pickedIcon.empty()) return false;
    file = pickedIcon;
    index = pickedIndex;
    return true;
  }
  int32_t AddPresetBar() override { return addPreset ? addPreset() : -1; }
  bool ChooseBarsFile(bool save, const std::string& suggested, std::string& path) override {
    chosenFor.push_back((save ? "save " : "open ") + suggested);
    path = barsFile;
    return !barsFile.empty();
  }

  ManagerFields controls;
  bool details = false;
  int layout = -1;
  bool layoutDetails = false;
  bool fieldsEnabled = true;
  bool secondsEnabled = true;
  bool barAvailableCaption = false;
  bool restoreEnabled = false;
  bool restoreDeclines = false;
  ManagerFocus focus = ManagerFocus::kTree;
  std::string icons;
  std::vector<std::string> images;
  int treeSelection = kNoItem;
  std::vector<std::string> messages;
  std::vector<std::string> questions;
  bool answerYes = true;
  int chosenKind = 0;
  std::vector<int> browsedKinds;
  std::function<bool(WorkingFields&)> browse;
  std::string pickedIcon;
  int32_t pickedIndex = 0;
  std::function<int32_t()> addPreset;
  std::string barsFile;  // the file the export and import dialogs give ("": cancelled)
  std::vector<std::string> chosenFor;

 private:
  int AddImage(const std::string& image) {
    images.push_back(image);
    return static_cast<int>(images.size()) - 1;
  }
};

class FakeManagerHost : public ManagerHost {
 public:
  int DisplayedBar() override { return displayed; }
  void SetDisplayedBar(int ordinal) override { displayed = ordinal; }
  void ApplyOptions() override { ++rebuilds; }
  void DatabaseReloaded() override { ++reloads; }

  int displayed = 0;
  int rebuilds = 0;
  int reloads = 0;
};
