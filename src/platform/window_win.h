// The small window layer the program's windows derive from: a Window owns its
// HWND and receives every message through one virtual HandleMessage; a Dialog
// is a Window made from a dialog template, modal or modeless.
#pragma once

#include <windows.h>

#include <string>

class Window {
 public:
  Window() = default;
  virtual ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  HWND Hwnd() const { return hwnd_; }

  // Registers the class once (per name) and creates the window; `this` is bound
  // at WM_NCCREATE. Returns false when the window could not be created.
  bool Create(const char* className, const char* title, DWORD style, DWORD exStyle, int x, int y,
              int width, int height, HWND parent, HMENU menuOrId, UINT classStyle = CS_DBLCLKS,
              HCURSOR cursor = nullptr, HBRUSH background = nullptr);

  // Takes over an existing window (a control), forwarding what we don't handle
  // to its previous window procedure.
  bool Subclass(HWND hwnd);

  // Destroys the window if it still exists.
  void Destroy();

 protected:
  // Every message of the window; call DefaultProc for what is not handled.
  virtual LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
  LRESULT DefaultProc(UINT msg, WPARAM wp, LPARAM lp);
  // Called after WM_NCDESTROY, when the HWND is gone.
  virtual void OnFinalDestroy() {}

 private:
  static LRESULT CALLBACK StaticProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

  HWND hwnd_ = nullptr;
  WNDPROC previous_ = nullptr;  // set for subclassed controls
};

class Dialog {
 public:
  explicit Dialog(int templateId) : templateId_(templateId) {}
  virtual ~Dialog();
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;

  HWND Hwnd() const { return hwnd_; }
  int TemplateId() const { return templateId_; }

  // Runs the dialog modally; returns the value given to EndDialog, -1 on failure.
  INT_PTR DoModal(HWND parent);
  // Creates the dialog modeless (used by tests and child dialogs).
  bool CreateModeless(HWND parent);
  void EndDialog(INT_PTR result);
  bool IsModal() const { return modal_; }

 protected:
  // Returns what WM_INITDIALOG returns (TRUE: let the system set the focus).
  virtual BOOL OnInitDialog() { return TRUE; }
  virtual void OnOK() { EndDialog(IDOK); }
  virtual void OnCancel() { EndDialog(IDCANCEL); }
  // A WM_COMMAND other than IDOK and IDCANCEL; return true when handled.
  virtual bool OnCommand(int id, int code, HWND control) { (void)id, (void)code, (void)control; return false; }
  virtual LRESULT OnNotify(NMHDR* hdr) { (void)hdr; return 0; }
  // Every message; return true with `result` set when handled. The default
  // routes WM_INITDIALOG, WM_COMMAND and WM_NOTIFY to the functions above.
  virtual bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, INT_PTR& result);
  // Called at WM_NCDESTROY.
  virtual void OnFinalDestroy() {}

  // Data exchange: `save` true reads the control into the value, false writes
  // the value into the control.
  void Exchange(bool save, int id, std::string& value);
  void ExchangeCheck(bool save, int id, int& value);
  void ExchangeComboIndex(bool save, int id, int& value);
  void ExchangeInt(bool save, int id, int& value);

  HWND Item(int id) const { return ::GetDlgItem(hwnd_, id); }

 private:
  static INT_PTR CALLBACK StaticProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

  int templateId_;
  HWND hwnd_ = nullptr;
  bool modal_ = false;
};

// The module whose resources the program loads (the executable, or a test program
// that links the same resources).
HINSTANCE ResourceModule();
