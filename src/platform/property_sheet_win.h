// Tabbed dialogs: a PropertySheet shows PropertyPages, each made from a dialog
// template whose caption is its tab's title. Pages receive their messages
// as a Dialog does, and OK and Cancel of the sheet as OnApply and OnReset.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

// <prsht.h> maps PropertySheet to PropertySheetA; here it names the class below.
#undef PropertySheet

#include <string>
#include <vector>

#include "platform/window_win.h"

// A page is a dialog its sheet creates: it shares the Dialog's routing, and
// IDOK and IDCANCEL are the sheet's, reaching the page as OnApply and OnReset.
class PropertyPage : public Dialog {
 public:
  explicit PropertyPage(int templateId) : Dialog(templateId) {}

  // Hwnd() is null until the page has been shown for the first time.

 protected:
  // OK of the sheet, sent to every page that has been shown. False keeps the sheet open.
  virtual bool OnApply() { return true; }
  // Cancel of the sheet (button, Escape or close box), sent to every page that has been shown.
  virtual void OnReset() {}
  // F1 on the page or on the sheet's own controls; true when handled.
  virtual bool OnHelp() { return false; }
  // Routes the sheet's notifications (PSN_APPLY, PSN_RESET) and WM_HELP, the
  // rest as a Dialog does.
  bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, INT_PTR& result) override;
  bool EndsByOkCancel() const override { return false; }

 private:
  friend class PropertySheet;
  // The sheet makes the page's window: a page is never run on its own.
  using Dialog::CreateModeless;
  using Dialog::DoModal;
  using Dialog::EndDialog;

  PROPSHEETPAGEA Describe();
  static INT_PTR CALLBACK StaticProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
};

class PropertySheet {
 public:
  // An empty caption leaves the sheet's title bar without text.
  explicit PropertySheet(std::string caption = {}) : caption_(std::move(caption)) {}
  ~PropertySheet();
  PropertySheet(const PropertySheet&) = delete;
  PropertySheet& operator=(const PropertySheet&) = delete;

  // Pages are shown in the order added; the first is the one shown first. The
  // pages must outlive the sheet's window.
  void AddPage(PropertyPage& page) { pages_.push_back(&page); }

  // Runs the sheet modally over `owner`; returns what PropertySheetA returns
  // (positive after OK, 0 after Cancel, -1 on failure).
  INT_PTR DoModal(HWND owner);
  // Creates the sheet modeless (tests). Its owner pumps the messages and, once
  // Finished() says so, destroys it.
  bool CreateModeless(HWND owner);
  // A modeless sheet whose OK or Cancel has done its work.
  bool Finished() const;
  void Destroy();

  // The sheet's window while it exists.
  HWND Hwnd() const { return frame_.Hwnd(); }
  // The shown page's window.
  HWND CurrentPage() const;
  bool SetActivePage(int index);

 private:
  // The sheet's own window, subclassed so that F1 on its tabs and buttons
  // reaches the shown page.
  class Frame : public Window {
   protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  };

  INT_PTR Run(HWND owner, bool modeless);
  static int CALLBACK Callback(HWND hwnd, UINT msg, LPARAM lp);

  std::string caption_;
  std::vector<PropertyPage*> pages_;
  Frame frame_;
};
