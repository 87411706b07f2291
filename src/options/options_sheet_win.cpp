#include "options/options_sheet_win.h"

#include "core/message_ids.h"
#include "core/message_texts.h"
#include "options/options_session.h"
#include "options/setting_clock_win.h"
#include "options/setting_program_win.h"
#include "options/setting_view_win.h"
#include "platform/property_sheet_win.h"
#include "platform/scope_end.h"

// One opening: the session with its snapshot, the pages, then the sheet, which
// goes first so that no page outlives its window's messages.
struct OptionsSheet::Run {
  Run(Settings& settings, MessageTexts& texts, OptionsHost& host, HelpViewer& help, OptionsDialogs& dialogs)
      : session(settings, host),
        begun((session.Begin(), true)),
        clock(texts, session, help),
        view(texts, session, help, dialogs),
        program(texts, session, help),
        sheet(texts.Text(kMsgOptionsTitle)) {
    sheet.AddPage(clock);  // shown first
    sheet.AddPage(view);
    sheet.AddPage(program);
  }

  OptionsSession session;
  bool begun;  // the dialog-open flag is set and the snapshot taken before the pages exist
  CSettingClock clock;
  CSettingView view;
  CSettingProgram program;
  PropertySheet sheet;
};

OptionsSheet::OptionsSheet(Settings& settings, MessageTexts& texts, OptionsHost& host, HelpViewer& help,
                           OptionsDialogs& dialogs)
    : settings_(settings), texts_(texts), host_(host), help_(help), dialogs_(dialogs) {}

OptionsSheet::~OptionsSheet() = default;

void OptionsSheet::Open(HWND owner) {
  if (run_) {
    BringToFront();
    return;
  }
  run_ = std::make_unique<Run>(settings_, texts_, host_, help_, dialogs_);
  // However this ends, the sheet can be opened again afterwards.
  const ScopeEnd closed([this] { run_.reset(); });
  run_->sheet.DoModal(owner);  // whatever it returns, the sheet closes the same way
  run_->session.End();
}

HWND OptionsSheet::OpenSheet() const { return run_ ? run_->sheet.Hwnd() : nullptr; }

bool OptionsSheet::OpenModeless(HWND owner) {
  if (run_) return false;
  run_ = std::make_unique<Run>(settings_, texts_, host_, help_, dialogs_);
  if (run_->sheet.CreateModeless(owner)) return true;
  const ScopeEnd closed([this] { run_.reset(); });
  run_->session.End();
  return false;
}

bool OptionsSheet::CloseIfFinished() {
  if (!run_ || !run_->sheet.Finished()) return false;
  const ScopeEnd closed([this] { run_.reset(); });
  run_->sheet.Destroy();
  run_->session.End();
  return true;
}

HWND OptionsSheet::ClockPage() const { return run_ ? run_->clock.Hwnd() : nullptr; }
HWND OptionsSheet::ViewPage() const { return run_ ? run_->view.Hwnd() : nullptr; }
HWND OptionsSheet::ProgramPage() const { return run_ ? run_->program.Hwnd() : nullptr; }

void OptionsSheet::BringToFront() {
  HWND sheet = OpenSheet();
  if (!sheet) return;
  if (::IsIconic(sheet)) ::ShowWindow(sheet, SW_RESTORE);
  ::SetForegroundWindow(sheet);
}
