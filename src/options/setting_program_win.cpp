#include "options/setting_program_win.h"

#include <commctrl.h>

#include "options/program_page_rules.h"
#include "options_ids.h"
#include "resource.h"

static_assert(kHotKeyFieldRules.invalid == (HKCOMB_NONE | HKCOMB_S) &&
              kHotKeyFieldRules.modifiers == (HOTKEYF_CONTROL | HOTKEYF_ALT));

CSettingProgram::CSettingProgram(MessageTexts& texts, OptionsSession& session, HelpViewer& help)
    : OptionsPage(texts.TemplateId(IDD_SETTING_PROGRAM), session, help, "set_prog.htm") {}

BOOL CSettingProgram::OnInitDialog() {
  ShowBindings(ProgramBindings());
  ::SendDlgItemMessageA(Hwnd(), IDC_PROG_HOTKEY, HKM_SETRULES, kHotKeyFieldRules.invalid,
                        MAKELPARAM(kHotKeyFieldRules.modifiers, 0));
  ::SendDlgItemMessageA(Hwnd(), IDC_PROG_HOTKEY, HKM_SETHOTKEY, static_cast<WPARAM>(Record().HotKey), 0);
  return TRUE;
}

bool CSettingProgram::OnCommand(int id, int code, HWND control) {
  if (id == IDC_PROG_HOTKEY) {
    if (code != EN_CHANGE) return false;
    // The bar registers the new key at once; a key another program holds is
    // reported there and the control keeps the choice.
    Record().HotKey = static_cast<int32_t>(LOWORD(::SendMessageA(control, HKM_GETHOTKEY, 0, 0)));
    Perform({BarOperation::kApplyOptions});
    return true;
  }
  const ControlBinding* binding = FindBinding(ProgramBindings(), id);
  if (!binding || !IsChangeNotification(*binding, code)) return false;
  Perform(StoreControl(ProgramBindings(), id, ReadState(*binding), Record()).value());
  return true;
}
