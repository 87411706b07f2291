#include "clock/calendar_dialog_win.h"

#include <commctrl.h>

#include "core/message_texts.h"
#include "resource.h"

namespace {

// The month calendar's window class is registered by the common controls on request.
void RegisterDateControls() {
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_DATE_CLASSES};
  ::InitCommonControlsEx(&controls);
}

}  // namespace

CalendarDialog::CalendarDialog(MessageTexts& texts, HelpViewer& help)
    : Dialog(texts.TemplateId(IDD_CALENDAR)), help_(help) {
  RegisterDateControls();
}

bool CalendarDialog::HandleMessage(UINT msg, WPARAM wp, LPARAM lp, INT_PTR& result) {
  if (msg == WM_HELP) {
    help_.ShowTopic(kHelpTopic);
    result = TRUE;
    return true;
  }
  return Dialog::HandleMessage(msg, wp, lp, result);
}
