// "Auto start": asks whether the program should start with Windows.
#pragma once

#include "platform/window_win.h"

class AutoStartDialog : public Dialog {
 public:
  AutoStartDialog();
  // Runs the question; `yes` is the answer, `dontAskAgain` the check box.
  void Ask(bool& yes, bool& dontAskAgain);

 protected:
  void OnOK() override;
  void OnCancel() override;

 private:
  int dontAsk_ = 0;
};
