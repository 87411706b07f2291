// The calendar dialog: a month calendar to look a date up in. It changes
// nothing; "Close", Escape and the close box end it.
#pragma once

#include "platform/html_help_win.h"
#include "platform/window_win.h"

class MessageTexts;

class CalendarDialog : public Dialog {
 public:
  // The template comes from the dialog-template map (174).
  explicit CalendarDialog(MessageTexts& texts, HelpViewer& help = TheHelpViewer());
  ~CalendarDialog() override { Destroy(); }

  // The help topic F1 opens.
  static constexpr const char* kHelpTopic = "w_calendar.htm";

 protected:
  bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, INT_PTR& result) override;

 private:
  HelpViewer& help_;
};
