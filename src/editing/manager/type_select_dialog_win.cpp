#include "editing/manager/type_select_dialog_win.h"

#include "core/message_texts.h"
#include "editing_ids.h"
#include "resource.h"

namespace {

constexpr int kRadios[] = {IDC_TYPE_FILE, IDC_TYPE_FOLDER, IDC_TYPE_WEB};

}  // namespace

CTypeSelectDlg::CTypeSelectDlg(MessageTexts& texts) : Dialog(texts.TemplateId(IDD_TYPESELECT)) {}

BOOL CTypeSelectDlg::OnInitDialog() {
  choice_ = 0;
  ::CheckRadioButton(Hwnd(), IDC_TYPE_FILE, IDC_TYPE_WEB, kRadios[choice_]);
  return TRUE;
}

void CTypeSelectDlg::OnOK() {
  for (int i = 0; i < 3; ++i)
    if (::IsDlgButtonChecked(Hwnd(), kRadios[i]) == BST_CHECKED) choice_ = i;
  EndDialog(IDOK);
}
