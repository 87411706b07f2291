// The options sheet: the clock, view and program pages in one tabbed dialog
// over the bar window. The pages change the settings record at once and the
// bar shows each change; Cancel puts the record back; either way the record is
// written when the sheet closes.
#pragma once

#include <windows.h>

#include <memory>

#include "core/message_texts.h"
#include "core/settings.h"
#include "options/options_dialogs_win.h"
#include "options/options_host.h"
#include "platform/html_help_win.h"

class OptionsSheet {
 public:
  OptionsSheet(Settings& settings, MessageTexts& texts, OptionsHost& host, HelpViewer& help = TheHelpViewer(),
               OptionsDialogs& dialogs = SystemOptionsDialogs());
  ~OptionsSheet();
  OptionsSheet(const OptionsSheet&) = delete;
  OptionsSheet& operator=(const OptionsSheet&) = delete;

  // The Options command: runs the sheet modally over `owner` and returns when
  // it has closed. While it is open (the tray menu still works), a second call
  // brings the open sheet to the front instead of opening another.
  void Open(HWND owner);

  // The open sheet's window; null while no sheet is open.
  HWND OpenSheet() const;

  // Tests: the same sheet without a modal loop of its own. The caller pumps
  // the messages and calls CloseIfFinished until it says the sheet has closed.
  bool OpenModeless(HWND owner);
  // After OK or Cancel of a modeless sheet: closed as a modal one closes
  // (written, flag cleared, bar repainted) and destroyed. True when it was.
  bool CloseIfFinished();

  // The pages' windows while the sheet is open (null before a page was shown).
  HWND ClockPage() const;
  HWND ViewPage() const;
  HWND ProgramPage() const;

 private:
  struct Run;
  void BringToFront();

  Settings& settings_;
  MessageTexts& texts_;
  OptionsHost& host_;
  HelpViewer& help_;
  OptionsDialogs& dialogs_;
  std::unique_ptr<Run> run_;
};
