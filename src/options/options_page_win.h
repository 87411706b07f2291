// What the three options pages share: the session they change the record
// through, Cancel, F1 to the page's help topic, and showing bound controls.
#pragma once

#include <windows.h>

#include <string>

#include "options/control_binding.h"
#include "options/options_session.h"
#include "platform/html_help_win.h"
#include "platform/property_sheet_win.h"

class OptionsPage : public PropertyPage {
 public:
  OptionsPage(int templateId, OptionsSession& session, HelpViewer& help, const char* helpTopic)
      : PropertyPage(templateId), session_(session), help_(help), helpTopic_(helpTopic) {}

  const char* HelpTopic() const { return helpTopic_; }

 protected:
  // Cancel: the record as it was when the sheet opened, shown by the bar again.
  void OnReset() override;
  bool OnHelp() override;

  // Every bound control shows the record.
  void ShowBindings(const ControlBindings& bindings);
  // What a bound control shows now (see ShownState).
  int ReadState(const ControlBinding& binding) const;
  // The notification by which a bound control says it changed.
  static bool IsChangeNotification(const ControlBinding& binding, int code);
  // The bar's operations; making the start-up shortcut shows the wait cursor.
  void Perform(const BarOperations& operations);

  Settings& Record() { return session_.Record(); }
  OptionsSession& Session() { return session_; }

 private:
  OptionsSession& session_;
  HelpViewer& help_;
  const char* helpTopic_;
};
