#include "editing/manager/manager_dialog_win.h"

#include <commctrl.h>

#include <algorithm>

#include "core/message_texts.h"
#include "icons/button_icon_picker_win.h"
#include "icons/button_icon_win.h"
#include "db/cdb.h"
#include "editing/manager/manager_rules.h"
#include "editing/manager/manager_services_win.h"
#include "editing/manager/type_select_dialog_win.h"
#include "editing_ids.h"
#include "platform/html_help_win.h"
#include "resource.h"

namespace {

constexpr const char* kSizeItems[] = {"normal size", "maximized", "minimize"};

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

bool IsSelChanging(UINT code) { return code == TVN_SELCHANGINGA || code == TVN_SELCHANGINGW; }
bool IsSelChanged(UINT code) { return code == TVN_SELCHANGEDA || code == TVN_SELCHANGEDW; }

}  // namespace

CButtonsManager::CButtonsManager(CDB& db, MessageTexts& texts, ButtonIconCache* iconCache, ManagerHost& host,
                                 ManagerServices& services)
    : Dialog(texts.TemplateId(IDD_BUTTONSMANAGER)),
      db_(db),
      texts_(texts),
      iconCache_(iconCache),
      services_(services),
      editor_(db, texts, host, *this),
      icons_(iconCache) {
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_TREEVIEW_CLASSES | ICC_UPDOWN_CLASS | ICC_BAR_CLASSES};
  ::InitCommonControlsEx(&controls);
}

BOOL CButtonsManager::OnInitDialog() {
  tree_.Attach(Item(IDC_MGR_TREE));
  icons_.Attach(Item(IDC_MGR_ICON_UPPER), Item(IDC_MGR_ICON_LOWER));
  MakeToolbar();
  for (const char* item : kSizeItems)
    ::SendDlgItemMessageA(Hwnd(), IDC_MGR_SIZE, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
  HWND spin = Item(IDC_MGR_SECONDS_SPIN);
  ::SendMessageA(spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(Item(IDC_MGR_SECONDS)), 0);
  ::SendMessageA(spin, UDM_SETRANGE32, kMinShowAfterSeconds, kMaxShowAfterSeconds);
  ::SendMessageA(spin, UDM_SETPOS32, 0, kMinShowAfterSeconds);
  editor_.Open();
  services_.OnManagerOpened();
  return FALSE;  // the manager has put the focus on the tree
}

void CButtonsManager::MakeToolbar() {
  // At 96 DPI the tool bar stands at x 215, beside the tree; with larger
  // fonts the tree grows, and the tool bar moves right to stay clear of it.
  RECT tree = {};
  ::GetWindowRect(Item(IDC_MGR_TREE), &tree);
  ::MapWindowPoints(nullptr, Hwnd(), reinterpret_cast<POINT*>(&tree), 2);
  const int x = std::max<int>(kToolbarX, tree.right + 4);
  toolbar_.Create(Hwnd(), x, 0, kToolbarWidth, kToolbarHeight);
}

void CButtonsManager::OnOK() {
  if (!editor_.OnOK()) return;  // an entry to complete, or a save that failed
  services_.OnManagerClosed();
  EndDialog(IDOK);
}

void CButtonsManager::OnCancel() {
  editor_.OnCancel();
  services_.OnManagerClosed();
  EndDialog(IDCANCEL);
}

bool CButtonsManager::OnToolbarCommand(int id) {
  switch (id) {
    case ID_MGR_ADD_BUTTON: editor_.OnAddButton(); return true;
    case ID_MGR_ADD_BAR: editor_.OnAddBar(); return true;
    case ID_MGR_ADD_PRESET: editor_.OnAddPresetBar(); return true;
    case ID_MGR_SEPARATOR: editor_.OnSeparator(); return true;
    case ID_MGR_DELETE: editor_.OnDelete(); return true;
    case ID_MGR_MOVE_DOWN: editor_.OnMoveDown(); return true;
    case ID_MGR_MOVE_UP: editor_.OnMoveUp(); return true;
    case ID_MGR_SPARE: return true;
    default: return false;
  }
}

bool CButtonsManager::OnCommand(int id, int code, HWND control) {
  (void)control;
  switch (id) {
    case IDC_MGR_TARGET:
    case IDC_MGR_NAME:
    case IDC_MGR_WORKDIR:
    case IDC_MGR_ARGS:
      if (code == EN_CHANGE && !showingFields_) EnableRestore(true);
      return true;
    case IDC_MGR_SIZE:
      if (code == CBN_SELCHANGE && !showingFields_) EnableRestore(true);
      return true;
    default:
      break;
  }
  if (code != BN_CLICKED) return false;
  switch (id) {
    case IDC_MGR_DETAILS: editor_.OnDetails(); return true;
    case IDC_MGR_RESTORE: editor_.OnRestore(); return true;
    case IDC_MGR_APPLY: editor_.OnApply(); return true;
    case IDC_MGR_CHANGE_ICON: editor_.OnChangeIcon(); return true;
    case IDC_MGR_BROWSE_TARGET: editor_.OnBrowseTarget(); return true;
    case IDC_MGR_BROWSE_WORKDIR: editor_.OnBrowseWorkDir(); return true;
    case IDC_MGR_AVAILABLE: editor_.OnAvailable(); return true;
    case IDC_MGR_SHOW_ON_TIMER: editor_.OnShowOnTimer(); return true;
    case IDC_MGR_SHOW_ON_LAUNCH: return true;  // read at the leave step
    default: return OnToolbarCommand(id);
  }
}

LRESULT CButtonsManager::OnNotify(NMHDR* hdr) {
  if (hdr->idFrom == IDC_MGR_TREE && hdr->hwndFrom == tree_.Hwnd()) {
    const auto& notice = *reinterpret_cast<NMTREEVIEWA*>(hdr);
    if (IsSelChanging(hdr->code)) return quietTree_ || editor_.LeaveSelected() ? FALSE : TRUE;
    if (IsSelChanged(hdr->code) && !quietTree_) editor_.ItemSelected(ManagerTreeControl::IdOf(notice, true));
    return 0;
  }
  ManagerToolbar::FillTip(hdr);
  return 0;
}

bool CButtonsManager::HandleMessage(UINT msg, WPARAM wp, LPARAM lp, INT_PTR& result) {
  if (msg == WM_HELP) {
    TheHelpViewer().ShowTopic(kHelpTopic);
    result = TRUE;
    return true;
  }
  return Dialog::HandleMessage(msg, wp, lp, result);
}

// --- ManagerView --------------------------------------------------------------------

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

void CButtonsManager::ResetImages() { tree_.ResetImages(); }

int CButtonsManager::AddIconImage(const std::string& iconFile, int32_t iconIndex) {
  // From the icon cache where it holds the icon: a tree of many bars opens
  // without a shell look-up for each button.
  UniqueIcon icon = ManagerTreeIcon(iconCache_, iconFile, iconIndex, db_.ProgramFolder());
  return tree_.AddImage(icon.Get());
}

int CButtonsManager::AddResourceImage(int iconId) {
  UniqueIcon icon(static_cast<HICON>(
      ::LoadImageA(ResourceModule(), MAKEINTRESOURCEA(iconId), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR)));
  return tree_.AddImage(icon.Get());
}

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
  ::MessageBoxA(Hwnd(), text.c_str(), ProgramTitle(), MB_OK);
}

bool CButtonsManager::AskYesNo(const std::string& text) {
  return ::MessageBoxA(Hwnd(), text.c_str(), ProgramTitle(), MB_YESNO | MB_ICONQUESTION) == IDYES;
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
