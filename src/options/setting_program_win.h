// The "Program options" page: start-up shortcut, tray icon, tooltips, the
// gradual slide, the logo and the splash screen.
#pragma once

#include "core/message_texts.h"
#include "options/options_page_win.h"

class CSettingProgram : public OptionsPage {
 public:
  // The template comes from the dialog-template map (173).
  CSettingProgram(MessageTexts& texts, OptionsSession& session, HelpViewer& help);

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;
};
