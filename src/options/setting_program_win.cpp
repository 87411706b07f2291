#include "options/setting_program_win.h"

#include "options/program_page_rules.h"
#include "resource.h"

CSettingProgram::CSettingProgram(MessageTexts& texts, OptionsSession& session, HelpViewer& help)
    : OptionsPage(texts.TemplateId(IDD_SETTING_PROGRAM), session, help, "set_prog.htm") {}

BOOL CSettingProgram::OnInitDialog() {
  ShowBindings(ProgramBindings());
  return TRUE;
}

bool CSettingProgram::OnCommand(int id, int code, HWND) {
  const ControlBinding* binding = FindBinding(ProgramBindings(), id);
  if (!binding || !IsChangeNotification(*binding, code)) return false;
  Perform(StoreControl(ProgramBindings(), id, ReadState(*binding), Record()).value());
  return true;
}
