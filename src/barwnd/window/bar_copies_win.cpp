// The bar window's "Earlier copies..." command.
#include "barwnd/window/bar_window_win.h"
#include "core/message_box_win.h"
#include "core/message_ids.h"
#include "core/message_texts.h"
#include "db/cdb.h"
#include "editing/copies/copies_dialog_win.h"

void BarWindow::OpenEarlierCopies() {
  if (manager_.Open()) {
    // The manager's Cancel would put back its own undo copy over the restored bars.
    HWND owner = ::GetLastActivePopup(Hwnd());
    ShowProgramMessage(owner, texts_.Text(kMsgRestoreManagerOpen), MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  if (BringOpenDialogForward()) return;
  bool restored = false;
  {
    DialogCount::Scope modal(modal_);
    DialogCount::Scope held(held_);
    CopiesDialog copies(db_, texts_);
    copies.DoModal(Hwnd());
    restored = copies.Restored();
  }
  if (!restored) return;
  const int shown = DisplayedBar();
  SetDisplayedBar(shown >= 0 && shown < db_.BarCount() ? shown : db_.BarCount() > 0 ? 0 : -1);
  DatabaseReloaded();
  ApplyOptions();
  RepaintAll();
}
