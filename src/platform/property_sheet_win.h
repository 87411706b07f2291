// Tabbed dialogs: a PropertySheet shows PropertyPages, each made from a dialog
// template whose caption is its tab's title. Pages receive their messages
// through one virtual HandleMessage like a Dialog, and OK and Cancel of the
// sheet as OnApply and OnReset.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

// <prsht.h> maps PropertySheet to PropertySheetA; here it names the class below.
#undef PropertySheet

#include <string>
#include <vector>

#include "platform/window_win.h"

class PropertyPage {
 public:
  explicit PropertyPage(int templateId) : templateId_(templateId) {}
  virtual ~PropertyPage();
  PropertyPage(const PropertyPage&) = delete;
  PropertyPage& operator=(const PropertyPage&) = delete;

  // Null until the page has been shown for the first time.
  HWND Hwnd() const { return hwnd_; }
  int TemplateId() const { return templateId_; }

 protected:
  // Returns what WM_INITDIALOG returns (TRUE: let the system set the focus).
  virtual BOOL OnInitDialog() { return TRUE; }
  // A WM_COMMAND from a control; return true when handled.
  virtual bool OnCommand(int id, int code, HWND control) { (void)id, (void)code, (void)control; return false; }
  // A notification other than the sheet's own (PSN_*).
  virtual LRESULT OnNotify(NMHDR* hdr) { (void)hdr; return 0; }
  // OK of the sheet, sent to every page that has been shown. False keeps the sheet open.
  virtual bool OnApply() { return true; }
  // Cancel of the sheet (button, Escape or close box), sent to every page that has been shown.
  virtual void OnReset() {}
  // F1 on the page or on the sheet's own controls; true when handled.
  virtual bool OnHelp() { return false; }
  // Every message; return true with `result` set when handled. The default
  // routes to the functions above.
  virtual bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, INT_PTR& result);

  HWND Item(int id) const { return ::GetDlgItem(hwnd_, id); }
  bool IsChecked(int id) const { return ::IsDlgButtonChecked(hwnd_, id) == BST_CHECKED; }
  void SetChecked(int id, bool checked) { ::CheckDlgButton(hwnd_, id, checked ? BST_CHECKED : BST_UNCHECKED); }
  int ListSelection(int id) const { return static_cast<int>(::SendDlgItemMessageA(hwnd_, id, CB_GETCURSEL, 0, 0)); }
  void SetListSelection(int id, int index) { ::SendDlgItemMessageA(hwnd_, id, CB_SETCURSEL, index, 0); }

 private:
  friend class PropertySheet;
  PROPSHEETPAGEA Describe();
  static INT_PTR CALLBACK StaticProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

  int templateId_;
  HWND hwnd_ = nullptr;
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
