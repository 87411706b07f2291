// The buttons manager: the dialog in which bars and buttons are edited. The
// decisions are ManagerEditor's; this class shows them in template 212 and
// passes the controls' events on. The bar window runs it modally:
//
//   CButtonsManager manager(db, texts, iconCache, host, services);
//   manager.DoModal(barWindow);   // then rebuild the buttons and repaint
#pragma once

#include <string>
#include <vector>

#include "editing/manager/manager_editor.h"
#include "editing/manager/manager_icons_win.h"
#include "editing/manager/manager_toolbar_win.h"
#include "editing/manager/manager_tree_win.h"
#include "editing/manager/manager_view.h"
#include "platform/scope_end.h"
#include "platform/window_win.h"

class ButtonIconCache;
class CDB;
class ManagerHost;
class ManagerServices;
class MessageTexts;

class CButtonsManager : public Dialog, private ManagerView {
 public:
  // The template comes from the dialog-template map (212). The icons of bars
  // and buttons come from `iconCache` where it holds them (null: the shell).
  CButtonsManager(CDB& db, MessageTexts& texts, ButtonIconCache* iconCache, ManagerHost& host,
                  ManagerServices& services);
  ~CButtonsManager() override { Destroy(); }

  // The help topic F1 opens.
  static constexpr const char* kHelpTopic = "w_btnsman.htm";
  // Where the tool bar stands at 96 DPI (pixels in the dialog's client area);
  // scaled with the display (manager_toolbar_layout.h).
  static constexpr int kToolbarX = kManagerToolbarX;
  static constexpr int kToolbarWidth = 273;
  static constexpr int kToolbarHeight = kManagerToolbarHeight;
  // Posted by WM_DPICHANGED: the pictures and hand-placed controls follow the
  // new scale once the system has laid out the template's controls.
  static constexpr UINT kRescaleMessage = WM_APP + 24;

  // The displayed bar's button at `position` is selected when the manager
  // opens (the first one unless this is called before DoModal).
  void SelectAtOpen(int32_t position) { openPosition_ = position; }

  // For tests and the bar window's diagnostics.
  const ManagerEditor& Editor() const { return editor_; }
  HWND ToolbarWindow() const { return toolbar_.Hwnd(); }
  // The display scale the manager draws at.
  int Dpi() const { return dpi_; }

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;
  bool OnCommand(int id, int code, HWND control) override;
  LRESULT OnNotify(NMHDR* hdr) override;
  bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, INT_PTR& result) override;

 private:
  // Where an image of the tree came from, to draw it again at another scale.
  struct TreeImageSource {
    std::string iconFile;
    int32_t iconIndex = 0;
    int resourceId = 0;  // 0: from the icon file
  };

  bool OnToolbarCommand(int id);
  ManagerToolbarLayout ToolbarLayout() const;
  void MakeToolbar();
  // WM_DPICHANGED: the manager takes the suggested place at `dpi`.
  void OnDpiChanged(int dpi, const RECT* suggested);
  // The tree's images, the tool bar and the icon boxes at the manager's scale.
  void Rescale();
  int AppendTreeImage(const TreeImageSource& source);

  // ManagerView
  void TakeControls(ManagerFields& fields) override;
  void ShowFields(const ManagerFields& fields) override;
  // The one list that binds each field to its control.
  static DialogFields FieldList(ManagerFields& fields);
  bool DetailsPressed() override;
  void ShowLayout(int kind, bool details) override;
  void EnableFields(bool enable) override;
  void EnableSeconds(bool enable) override;
  void SetNameCaption(bool bar) override;
  void SetAvailableCaption(bool bar) override;
  void EnableRestore(bool enable) override;
  void SetRestoreCaption(bool decline) override;
  void Focus(ManagerFocus control) override;
  void ShowIcons(const std::string& iconFile, int32_t iconIndex) override;
  void ClearIcons() override;
  void ShowTargetIcon(const std::string& target) override;
  void ResetImages() override;
  int AddIconImage(const std::string& iconFile, int32_t iconIndex) override;
  int AddResourceImage(int iconId) override;
  void TreeCleared() override;
  void TreeInserted(const ManagerTree& tree, int id) override;
  void TreeChanged(const ManagerTree& tree, int id) override;
  void TreeRemoved(int id) override;
  void TreeExpanded(int id) override;
  void TreeSelected(int id) override;
  void ShowMessage(const std::string& text) override;
  bool AskYesNo(const std::string& text) override;
  void ReportNoBarForButton() override;
  int ChooseButtonKind() override;
  bool BrowseTarget(int kind, WorkingFields& fields) override;
  bool BrowseWorkDir(WorkingFields& fields) override;
  bool PickIcon(std::string& iconFile, int32_t& iconIndex) override;
  int32_t AddPresetBar() override;
  bool ChooseBarsFile(bool save, const std::string& suggested, std::string& path) override;

  CDB& db_;
  MessageTexts& texts_;
  ButtonIconCache* iconCache_;
  ManagerServices& services_;
  ManagerEditor editor_;
  ManagerToolbar toolbar_;
  ManagerTreeControl tree_;
  ManagerIconBoxes icons_;
  int dpi_ = kBaseDpi;
  int32_t openPosition_ = 0;
  std::vector<TreeImageSource> treeImages_;  // in the order of the tree's image list
  // While the manager changes the tree itself, the control's selection
  // notices are not the user's.
  int quietTree_ = 0;
  // While the fields are shown, the controls' change notices are no edits.
  bool showingFields_ = false;
  // The file dialogs' places are the manager's from its start until it
  // closes; they are put back however it closes, a Cancel that threw included.
  ScopeEnd places_;
};
