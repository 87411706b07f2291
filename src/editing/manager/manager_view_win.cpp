// The buttons manager's dialog as the view its editor drives: the fields,
// the layout of the right-hand side, the tree, the icons and the questions.
#include "editing/manager/manager_dialog_win.h"

#include <commctrl.h>

#include <algorithm>

#include "core/message_box_win.h"
#include "core/message_texts.h"
#include "icons/button_icon_picker_win.h"
#include "icons/button_icon_win.h"
#include "db/cdb.h"
#include "editing/manager/manager_rules.h"
#include "editing/manager/manager_services_win.h"
#include "editing/manager/type_select_dialog_win.h"
#include "editing_ids.h"
#include "resource.h"

namespace {

// Counts a change the manager makes to the tree itself for the life of the scope.
class QuietScope {
 public:
  explicit QuietScope(int& depth) : depth_(depth) { ++depth_; }
  ~QuietScope() { --depth_; }
  QuietScope(const QuietScope&) = delete;
  QuietScope& operator=(const QuietScope&) = delete;

 private:
  int& depth_;
};

}  // namespace

DialogFields CButtonsManager::FieldList(ManagerFields& fields) {
  return DialogFields()
      .Text(IDC_MGR_NAME, fields.Name)
      .Text(IDC_MGR_TARGET, fields.Target)
      .Text(IDC_MGR_WORKDIR, fields.WorkDir)
      .Text(IDC_MGR_ARGS, fields.Arguments)
      .Check(IDC_MGR_AVAILABLE, fields.Available)
      .Check(IDC_MGR_SHOW_ON_LAUNCH, fields.ShowOnLaunch)
      .Check(IDC_MGR_SHOW_ON_TIMER, fields.ShowOnTimer)
      .Number(IDC_MGR_SECONDS, fields.ShowAfterSeconds)
      .Selection(IDC_MGR_SIZE, fields.SizeChoice);
}

void CButtonsManager::TakeControls(ManagerFields& fields) { SaveFields(FieldList(fields)); }

void CButtonsManager::ShowFields(const ManagerFields& fields) {
  showingFields_ = true;
  ManagerFields shown = fields;
  LoadFields(FieldList(shown));
  showingFields_ = false;
}

bool CButtonsManager::DetailsPressed() { return ::IsDlgButtonChecked(Hwnd(), IDC_MGR_DETAILS) == BST_CHECKED; }

void CButtonsManager::ShowLayout(int kind, bool details) {
  const std::vector<int> shown = ShownControls(kind, details);
  for (int id : LayoutControls()) {
    const bool show = std::find(shown.begin(), shown.end(), id) != shown.end();
    ::ShowWindow(Item(id), show ? SW_SHOW : SW_HIDE);
  }
}

void CButtonsManager::EnableFields(bool enable) {
  for (int id : AvailabilityControls()) ::EnableWindow(Item(id), enable);
}

void CButtonsManager::EnableSeconds(bool enable) {
  for (int id : {IDC_MGR_SHOW_AFTER, IDC_MGR_SECONDS, IDC_MGR_SECONDS_SPIN, IDC_MGR_SECONDS_LABEL})
    ::EnableWindow(Item(id), enable);
}

void CButtonsManager::SetNameCaption(bool bar) {
  ::SetDlgItemTextA(Hwnd(), IDC_MGR_NAME_LABEL, bar ? "Quickrail\nname" : "Button\nname");
}

void CButtonsManager::SetAvailableCaption(bool bar) {
  ::SetDlgItemTextA(Hwnd(), IDC_MGR_AVAILABLE, bar ? "Quickrail is available" : "Button is available");
}

void CButtonsManager::EnableRestore(bool enable) { ::EnableWindow(Item(IDC_MGR_RESTORE), enable); }

void CButtonsManager::SetRestoreCaption(bool decline) {
  ::SetDlgItemTextA(Hwnd(), IDC_MGR_RESTORE, decline ? "Decline" : "Restore");
}

void CButtonsManager::Focus(ManagerFocus control) {
  const int id = control == ManagerFocus::kTarget ? IDC_MGR_TARGET
                 : control == ManagerFocus::kName ? IDC_MGR_NAME
                                                  : IDC_MGR_TREE;
  ::SendMessageA(Hwnd(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(id)), TRUE);
}

void CButtonsManager::ShowIcons(const std::string& iconFile, int32_t iconIndex) {
  icons_.ShowButtonIcon(iconFile, iconIndex, db_.ProgramFolder());
}

void CButtonsManager::ClearIcons() { icons_.Clear(); }

void CButtonsManager::ShowTargetIcon(const std::string& target) { icons_.ShowShellIcon(target); }

void CButtonsManager::ResetImages() {
  tree_.ResetImages(IconSidesAt(dpi_).small);
  treeImages_.clear();
}

int CButtonsManager::AppendTreeImage(const TreeImageSource& source) {
  UniqueIcon icon;
  if (source.resourceId) {
    const int side = tree_.ImageSide();
    icon.Reset(static_cast<HICON>(::LoadImageA(ResourceModule(), MAKEINTRESOURCEA(source.resourceId), IMAGE_ICON,
                                               side, side, LR_DEFAULTCOLOR)));
  } else {
    // From the icon cache where it holds the icon: a tree of many bars opens
    // without a shell look-up for each button.
    icon = ManagerTreeIcon(iconCache_, source.iconFile, source.iconIndex, db_.ProgramFolder(), dpi_);
  }
  const int image = tree_.AddImage(icon.Get());
  if (image >= 0) treeImages_.push_back(source);
  return image;
}

int CButtonsManager::AddIconImage(const std::string& iconFile, int32_t iconIndex) {
  return AppendTreeImage({iconFile, iconIndex, 0});
}

int CButtonsManager::AddResourceImage(int iconId) { return AppendTreeImage({std::string(), 0, iconId}); }

void CButtonsManager::TreeCleared() {
  QuietScope quiet(quietTree_);
  tree_.Clear();
}

void CButtonsManager::TreeInserted(const ManagerTree& tree, int id) {
  QuietScope quiet(quietTree_);
  tree_.Insert(tree, id);
}

void CButtonsManager::TreeChanged(const ManagerTree& tree, int id) {
  QuietScope quiet(quietTree_);
  tree_.Change(tree, id);
}

void CButtonsManager::TreeRemoved(int id) {
  QuietScope quiet(quietTree_);
  tree_.Remove(id);
}

void CButtonsManager::TreeExpanded(int id) {
  QuietScope quiet(quietTree_);
  tree_.Expand(id);
}

void CButtonsManager::TreeSelected(int id) {
  QuietScope quiet(quietTree_);
  tree_.Select(id);
}

void CButtonsManager::ShowMessage(const std::string& text) {
  ShowProgramMessage(Hwnd(), text);
}

bool CButtonsManager::AskYesNo(const std::string& text) {
  return ShowProgramMessage(Hwnd(), text, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void CButtonsManager::ReportNoBarForButton() {
  char text[512] = {};
  ::LoadStringA(ResourceModule(), IDS_MGR_NO_BAR_FOR_BUTTON, text, sizeof(text));
  ShowMessage(text);
}

int CButtonsManager::ChooseButtonKind() {
  CTypeSelectDlg choice(texts_);
  return choice.DoModal(Hwnd()) == IDOK ? choice.Choice() : -1;
}

bool CButtonsManager::BrowseTarget(int kind, WorkingFields& fields) {
  return services_.BrowseTarget(Hwnd(), kind, fields);
}

bool CButtonsManager::BrowseWorkDir(WorkingFields& fields) { return services_.BrowseWorkDir(Hwnd(), fields); }

bool CButtonsManager::PickIcon(std::string& iconFile, int32_t& iconIndex) {
  int index = iconIndex;
  if (PickButtonIcon(Hwnd(), iconFile, index) != 1) return false;
  iconIndex = index;
  return true;
}

int32_t CButtonsManager::AddPresetBar() { return services_.AddPresetBar(Hwnd(), db_); }
