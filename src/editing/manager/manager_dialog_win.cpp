#include "editing/manager/manager_dialog_win.h"

#include <commctrl.h>

#include "core/message_texts.h"
#include "icons/button_icon_win.h"
#include "db/cdb.h"
#include "editing/manager/manager_rules.h"
#include "editing/manager/manager_services_win.h"
#include "copies_ids.h"
#include "editing_ids.h"
#include "platform/display_scale_win.h"
#include "platform/html_help_win.h"
#include "resource.h"
#include "core/message_box_win.h"

namespace {

constexpr const char* kSizeItems[] = {"normal size", "maximized", "minimize"};

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
  dpi_ = WindowDpi(Hwnd());
  tree_.Attach(Item(IDC_MGR_TREE));
  icons_.Attach(Item(IDC_MGR_ICON_UPPER), Item(IDC_MGR_ICON_LOWER));
  icons_.SetDpi(dpi_);
  MakeToolbar();
  for (const char* item : kSizeItems)
    ::SendDlgItemMessageA(Hwnd(), IDC_MGR_SIZE, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
  HWND spin = Item(IDC_MGR_SECONDS_SPIN);
  ::SendMessageA(spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(Item(IDC_MGR_SECONDS)), 0);
  ::SendMessageA(spin, UDM_SETRANGE32, kMinShowAfterSeconds, kMaxShowAfterSeconds);
  ::SendMessageA(spin, UDM_SETPOS32, 0, kMinShowAfterSeconds);
  editor_.Open(openPosition_);
  services_.OnManagerOpened();
  places_ = ScopeEnd([this] { services_.OnManagerClosed(); });
  return FALSE;  // the manager has put the focus on the tree
}

ManagerToolbarLayout CButtonsManager::ToolbarLayout() const {
  // Beside the tree; with larger fonts the tree grows, and the tool bar moves
  // right to stay clear of it.
  RECT tree = {};
  ::GetWindowRect(Item(IDC_MGR_TREE), &tree);
  ::MapWindowPoints(nullptr, Hwnd(), reinterpret_cast<POINT*>(&tree), 2);
  return ManagerToolbarLayoutAt(tree.right, dpi_);
}

void CButtonsManager::MakeToolbar() { toolbar_.Create(Hwnd(), ToolbarLayout()); }

void CButtonsManager::OnDpiChanged(int dpi, const RECT* suggested) {
  dpi_ = dpi > 0 ? dpi : kBaseDpi;
  if (suggested) {
    ::SetWindowPos(Hwnd(), nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                   suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  ::PostMessageA(Hwnd(), kRescaleMessage, 0, 0);
}

void CButtonsManager::Rescale() {
  toolbar_.Rescale(ToolbarLayout());
  icons_.SetDpi(dpi_);
  // The same images in the same places, drawn at the new side.
  const std::vector<TreeImageSource> sources = std::move(treeImages_);
  ResetImages();
  for (const TreeImageSource& source : sources) {
    // An image that no longer comes out leaves its place empty.
    if (AppendTreeImage(source) < 0 && tree_.AddBlankImage() >= 0) treeImages_.push_back(source);
  }
  ::InvalidateRect(tree_.Hwnd(), nullptr, TRUE);
}

void CButtonsManager::OnOK() {
  if (!editor_.OnOK()) return;  // an entry to complete, or a save that failed
  places_.End();
  EndDialog(IDOK);
}

void CButtonsManager::OnCancel() {
  ScopeEnd putBack = std::move(places_);
  editor_.OnCancel();
  putBack.End();
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
    case IDC_MGR_EXPORT: editor_.OnExportBar(); return true;
    case IDC_MGR_IMPORT: editor_.OnImportBars(); return true;
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
  if (msg == kDpiChangedMessage) {
    // The system's own handling goes on (a dialog's controls and font follow
    // the new scale where the system scales dialogs).
    OnDpiChanged(LOWORD(wp), reinterpret_cast<const RECT*>(lp));
    return Dialog::HandleMessage(msg, wp, lp, result);
  }
  if (msg == kRescaleMessage) {
    Rescale();
    result = 0;
    return true;
  }
  return Dialog::HandleMessage(msg, wp, lp, result);
}
