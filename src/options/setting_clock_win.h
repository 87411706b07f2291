// The "Clock view" page: whether and where the bar shows the clock and the
// date, on one line or two, and how each is written.
#pragma once

#include "core/message_texts.h"
#include "options/options_page_win.h"

class CSettingClock : public OptionsPage {
 public:
  // The template comes from the dialog-template map (134).
  CSettingClock(MessageTexts& texts, OptionsSession& session, HelpViewer& help);

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;
  bool OnApply() override;

 private:
  void ApplyEnabling();
};
