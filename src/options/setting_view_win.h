// The "View options" page: large and flat buttons, the monitor the bar stands
// on, the colours of the bar, of the clock area and of its text, and the
// clock's font.
#pragma once

#include "core/message_texts.h"
#include "options/options_dialogs_win.h"
#include "options/options_page_win.h"
#include "options/view_page_rules.h"

struct Swatch;

class CSettingView : public OptionsPage {
 public:
  // The template comes from the dialog-template map (140).
  CSettingView(MessageTexts& texts, OptionsSession& session, HelpViewer& help,
               OptionsDialogs& dialogs = SystemOptionsDialogs());

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;
  bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, INT_PTR& result) override;

 private:
  void ChooseColor(const Swatch& swatch);
  void UseStandardColors();
  void ChooseFont();
  // The swatches are drawn in their colours: filled, nothing else.
  bool DrawSwatch(const DRAWITEMSTRUCT& item);
  void RepaintPage();
  // The monitors as they are when the page opens.
  void FillMonitors();
  void ChooseMonitor();

  OptionsDialogs& dialogs_;
  MessageTexts& texts_;
  MonitorList monitors_;
};
