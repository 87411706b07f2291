// "Type select": the kind of a new button, chosen from three radio buttons.
// The first one is preselected every time the dialog opens.
#pragma once

#include "platform/window_win.h"

class MessageTexts;

class CTypeSelectDlg : public Dialog {
 public:
  // The template comes from the dialog-template map (225).
  explicit CTypeSelectDlg(MessageTexts& texts);

  // The chosen radio button: 0 file, 1 folder, 2 web link; -1 until the dialog
  // has initialised.
  int Choice() const { return choice_; }

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;

 private:
  int choice_ = -1;
};
