// "Auto start": asks whether the program should start with Windows.
#pragma once

#include "platform/window_win.h"

class MessageTexts;

class AutoStartDialog : public Dialog {
 public:
  explicit AutoStartDialog(MessageTexts& texts);
  ~AutoStartDialog() override { Destroy(); }
  // Runs the question; `yes` is the answer, `dontAskAgain` the check box.
  void Ask(bool& yes, bool& dontAskAgain);

 protected:
  void OnOK() override;
  void OnCancel() override;

 private:
  // Keeps the check box and ends the dialog with `result`.
  void End(int result);

  int dontAsk_ = 0;
};
