#include "options/setting_clock_win.h"

#include "options/clock_page_rules.h"
#include "options_ids.h"
#include "resource.h"

CSettingClock::CSettingClock(MessageTexts& texts, OptionsSession& session, HelpViewer& help)
    : OptionsPage(texts.TemplateId(IDD_SETTING_CLOCK), session, help, "set_clock.htm") {}

BOOL CSettingClock::OnInitDialog() {
  // Unsorted lists, so that an item's index is its stored value.
  for (const ListContents& list : ClockLists()) {
    for (const std::string& item : list.items) {
      ::SendDlgItemMessageA(Hwnd(), list.id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    }
  }
  ShowBindings(ClockBindings());
  ApplyEnabling();
  return TRUE;
}

bool CSettingClock::OnCommand(int id, int code, HWND) {
  const ControlBinding* binding = FindBinding(ClockBindings(), id);
  if (!binding || !IsChangeNotification(*binding, code)) return false;
  const std::optional<ClockReaction> reaction = ClockControlChanged(id, ReadState(*binding), Record());
  if (!reaction) return false;
  if (reaction->enablingChanged) ApplyEnabling();
  if (reaction->layoutChanged) ShowBindings(ClockBindings());
  Perform(reaction->operations);
  // The closed list would otherwise keep the focus and take the arrow keys.
  if (reaction->focusPage) ::SetFocus(Hwnd());
  return true;
}

bool CSettingClock::OnApply() {
  Perform(ClockPageOk(IsChecked(IDC_CLOCK_DAY_OF_WEEK), IsChecked(IDC_CLOCK_SECONDS), Record()));
  return true;
}

void CSettingClock::ApplyEnabling() {
  for (const ControlEnabled& control : ClockEnabling(Record())) ::EnableWindow(Item(control.id), control.enabled);
}
