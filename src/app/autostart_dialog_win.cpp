#include "app/autostart_dialog_win.h"

#include "core/message_texts.h"
#include "resource.h"

AutoStartDialog::AutoStartDialog(MessageTexts& texts) : Dialog(texts.TemplateId(IDD_AUTOSTART)) {}

void AutoStartDialog::Ask(bool& yes, bool& dontAskAgain) {
  dontAsk_ = 0;
  yes = DoModal(nullptr) == IDOK;
  dontAskAgain = dontAsk_ != 0;
}

void AutoStartDialog::OnOK() { End(IDOK); }

void AutoStartDialog::OnCancel() { End(IDCANCEL); }

void AutoStartDialog::End(int result) {
  SaveFields(DialogFields().Check(IDC_AUTOSTART_NOASK, dontAsk_));
  EndDialog(result);
}
