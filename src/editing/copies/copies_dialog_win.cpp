#include "editing/copies/copies_dialog_win.h"

#include <commctrl.h>

#include "copies_ids.h"
#include "core/message_box_win.h"
#include "core/message_ids.h"
#include "core/message_texts.h"
#include "db/cdb.h"
#include "platform/html_help_win.h"

namespace {

// Shares of the list's width: date, bars, buttons; the names take the rest.
constexpr int kColumnShares[] = {34, 9, 12};

}  // namespace

CopiesDialog::CopiesDialog(CDB& db, MessageTexts& texts)
    : Dialog(texts.TemplateId(IDD_EARLIER_COPIES)), db_(db), texts_(texts), copies_(db, LocalToday) {}

BOOL CopiesDialog::OnInitDialog() {
  HWND list = Item(IDC_COPIES_LIST);
  ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT);
  AddColumns();
  SetItemText(IDC_COPIES_FOLDER, texts_.Text(kMsgCopiesFolder) + copies_.Folder());
  Fill();
  ::SetFocus(list);
  return FALSE;
}

void CopiesDialog::AddColumns() {
  HWND list = Item(IDC_COPIES_LIST);
  RECT client = {};
  ::GetClientRect(list, &client);
  int left = client.right - ::GetSystemMetrics(SM_CXVSCROLL);
  for (int column = 0; column < 4; ++column) {
    std::string title = texts_.Text(kMsgCopiesColumnDate + column);
    LVCOLUMNA info = {};
    info.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM | (column > 0 && column < 3 ? LVCF_FMT : 0);
    info.fmt = LVCFMT_RIGHT;
    info.pszText = title.data();
    info.cx = column < 3 ? client.right * kColumnShares[column] / 100 : left;
    info.iSubItem = column;
    left -= info.cx;
    ::SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&info));
  }
}

void CopiesDialog::Fill() {
  HWND list = Item(IDC_COPIES_LIST);
  ::SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
  kept_ = copies_.List();
  rows_.clear();
  for (const KeptCopy& copy : kept_)
    rows_.push_back(MakeCopyRow(copy, SummarizeDatabase(db_, copy.path), DateText(copy.date),
                                texts_.Text(kMsgCopyDamaged)));
  int first = -1;
  for (int i = 0; i < static_cast<int>(rows_.size()); ++i) {
    CopyRow& row = rows_[static_cast<size_t>(i)];
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = i;
    item.pszText = row.date.data();
    ::SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    std::string* cells[] = {&row.bars, &row.buttons, &row.names};
    for (int column = 1; column <= 3; ++column) {
      item.iSubItem = column;
      item.pszText = cells[column - 1]->data();
      ::SendMessageA(list, LVM_SETITEMTEXTA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    }
    if (first < 0 && !row.damaged) first = i;
  }
  if (rows_.empty()) SetItemText(IDC_COPIES_INTRO, texts_.Text(kMsgNoCopies));
  if (first >= 0) {
    ListView_SetItemState(list, first, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(list, first, FALSE);
  }
  UpdateRestoreButton();
}

int CopiesDialog::SelectedRow() const {
  const int row = static_cast<int>(::SendMessageA(Item(IDC_COPIES_LIST), LVM_GETNEXTITEM, static_cast<WPARAM>(-1),
                                                  LVNI_SELECTED));
  return row >= 0 && row < static_cast<int>(rows_.size()) ? row : -1;
}

void CopiesDialog::UpdateRestoreButton() {
  const int row = SelectedRow();
  ::EnableWindow(Item(IDC_COPIES_RESTORE), row >= 0 && !rows_[static_cast<size_t>(row)].damaged);
}

bool CopiesDialog::OnCommand(int id, int, HWND) {
  if (id != IDC_COPIES_RESTORE) return false;
  Restore();
  return true;
}

LRESULT CopiesDialog::OnNotify(NMHDR* hdr) {
  if (hdr->idFrom != IDC_COPIES_LIST) return 0;
  if (hdr->code == LVN_ITEMCHANGED) UpdateRestoreButton();
  if (hdr->code == NM_DBLCLK) Restore();
  return 0;
}

bool CopiesDialog::HandleMessage(UINT msg, WPARAM wp, LPARAM lp, INT_PTR& result) {
  if (msg == WM_HELP) {
    TheHelpViewer().ShowTopic(kHelpTopic);
    result = TRUE;
    return true;
  }
  return Dialog::HandleMessage(msg, wp, lp, result);
}

void CopiesDialog::Tell(int messageId) { ShowProgramMessage(Hwnd(), texts_.Text(messageId), MB_OK | MB_ICONEXCLAMATION); }

void CopiesDialog::Restore() {
  const int row = SelectedRow();
  if (row < 0) return;
  const CopyRow& shown = rows_[static_cast<size_t>(row)];
  if (shown.damaged) return Tell(kMsgRestoreDamaged);
  const std::string question = texts_.Text(kMsgRestoreQuestion) + shown.date + texts_.Text(kMsgRestoreQuestionEnd);
  if (ShowProgramMessage(Hwnd(), question, MB_YESNO | MB_ICONQUESTION) != IDYES) return;
  const HCURSOR before = ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
  const RestoreOutcome outcome = RestoreCopy(db_, copies_, kept_[static_cast<size_t>(row)]);
  ::SetCursor(before);
  switch (outcome) {
    case RestoreOutcome::kRestored:
      restored_ = true;
      EndDialog(IDOK);
      return;
    case RestoreOutcome::kUndoHeld: return Tell(kMsgRestoreManagerOpen);
    case RestoreOutcome::kNotKept: return Tell(kMsgRestoreNotKept);
    case RestoreOutcome::kDamaged:
      Tell(kMsgRestoreDamaged);
      return Fill();
    case RestoreOutcome::kFailed:
      // The database may have been read again half way: the bar shows it anew.
      restored_ = true;
      return Tell(kMsgRestoreFailed);
  }
}

std::string CopiesDialog::DateText(const CopyDate& date) const {
  SYSTEMTIME day = {};
  day.wYear = static_cast<WORD>(date.year);
  day.wMonth = static_cast<WORD>(date.month);
  day.wDay = static_cast<WORD>(date.day);
  char text[128] = {};
  if (::GetDateFormatA(LOCALE_USER_DEFAULT, DATE_LONGDATE, &day, nullptr, text, sizeof(text)) > 0) return text;
  char plain[16];
  wsprintfA(plain, "%04d-%02d-%02d", date.year, date.month, date.day);
  return plain;
}
