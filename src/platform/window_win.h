// The small window layer the program's windows derive from. One base,
// WindowBase, binds an object to its window: a Window receives every message
// of a window it created, or of a control it subclassed, through one virtual
// HandleMessage; a Dialog is made from a dialog template, modal or modeless (a
// PropertyPage is a Dialog its sheet creates). Each static procedure only finds
// the object and forwards; the binding is made at WM_NCCREATE, WM_INITDIALOG
// or from the page's lParam, and cleared at WM_NCDESTROY, after which
// OnFinalDestroy runs.
//
// Destroy contract: an object owns the window bound to it, created or
// subclassed, and the window must be gone before the object's members are. A
// derived class whose message handlers (or whose window's controls) use its own
// members therefore destroys the window in its own destructor, written as
// `~X() override { Destroy(); }`. Whatever window the base's destructor still
// finds is first cut off from the object, so no message reaches a
// half-destroyed object, and then destroyed. An object that only borrows a
// window (a subclass of a control someone else owns) gives it back with
// Window::Release() before it goes.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "platform/dialog_fields.h"

class WindowBase {
 public:
  WindowBase(const WindowBase&) = delete;
  WindowBase& operator=(const WindowBase&) = delete;

  HWND Hwnd() const { return hwnd_; }
  // Destroys the window if it still exists.
  void Destroy();

 protected:
  WindowBase() = default;
  virtual ~WindowBase();

  // The object bound to `hwnd`. At the creation message the caller passes the
  // object it was handed (`created`), which is bound then; later messages find
  // it in the window's user data. Null before the binding and after WM_NCDESTROY.
  static WindowBase* Bound(HWND hwnd, WindowBase* created);
  // Binds a control through the common controls' subclassing; the object's
  // address is the subclass id, so any number of objects can subclass one window.
  bool BindSubclass(HWND hwnd, SUBCLASSPROC proc);
  // Called by the static procedures after each message: at WM_NCDESTROY the
  // object lets go of the window and OnFinalDestroy follows.
  void AfterMessage(UINT msg);
  // Lets go of the window without destroying it (removes a subclass).
  void Unbind();
  bool IsSubclass() const { return subclassProc_ != nullptr; }
  // Called after WM_NCDESTROY, when the HWND is gone.
  virtual void OnFinalDestroy() {}

 private:
  HWND hwnd_ = nullptr;
  SUBCLASSPROC subclassProc_ = nullptr;  // set while the window is bound as a subclass
};

class Window : public WindowBase {
 public:
  Window() = default;

  // Registers the class once per name and creates the window; `this` is bound
  // at WM_NCCREATE. Returns false when the window could not be created, or when
  // the name was registered before with another class style, cursor or
  // background (a programming error, asserted in debug builds).
  [[nodiscard]] bool Create(const char* className, const char* title, DWORD style, DWORD exStyle, int x, int y,
                            int width, int height, HWND parent, HMENU menuOrId, UINT classStyle = CS_DBLCLKS,
                            HCURSOR cursor = nullptr, HBRUSH background = nullptr);

  // Takes over an existing window through the common controls' subclassing;
  // what we don't handle goes on to the window's own procedure.
  [[nodiscard]] bool Subclass(HWND hwnd);
  // Gives a borrowed, subclassed window back; it carries on without this object.
  void Release() { Unbind(); }

 protected:
  // Every message of the window; call DefaultProc for what is not handled.
  virtual LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
  LRESULT DefaultProc(UINT msg, WPARAM wp, LPARAM lp);

 private:
  // HandleMessage inside the exception barrier.
  LRESULT GuardedHandle(UINT msg, WPARAM wp, LPARAM lp);
  static LRESULT CALLBACK StaticProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR data);
};

class Dialog : public WindowBase, protected DialogControls {
 public:
  explicit Dialog(int templateId) : templateId_(templateId) {}

  int TemplateId() const { return templateId_; }

  // Runs the dialog modally; returns the value given to EndDialog, -1 on failure.
  INT_PTR DoModal(HWND parent);
  // Creates the dialog modeless (used by tests and child dialogs).
  [[nodiscard]] bool CreateModeless(HWND parent);
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
  // Whether IDOK and IDCANCEL reach OnOK and OnCancel (a page leaves them to its sheet).
  virtual bool EndsByOkCancel() const { return true; }

  // Data exchange: every field of `fields` into its control, or back.
  void LoadFields(const DialogFields& fields) { fields.Load(*this); }
  void SaveFields(const DialogFields& fields) { fields.Save(*this); }

  HWND Item(int id) const { return ::GetDlgItem(Hwnd(), id); }
  std::string ItemText(int id) const override;
  void SetItemText(int id, const std::string& text) override;
  bool IsChecked(int id) const override;
  void SetChecked(int id, bool checked) override;
  int ListSelection(int id) const override;
  void SetListSelection(int id, int index) override;
  std::optional<int> ItemNumber(int id) const override;
  void SetItemNumber(int id, int value) override;

  // The routing every dialog procedure shares; `created` is the object at WM_INITDIALOG.
  static INT_PTR Route(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, Dialog* created);

 private:
  static INT_PTR CALLBACK StaticProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  bool RouteCommand(int id, int code, HWND control);

  int templateId_;
  bool modal_ = false;
};

// What a dialog procedure returns for `msg` after a handler ran (`handled`,
// `result`): the value itself for the few messages that want it, otherwise
// TRUE with the result in DWLP_MSGRESULT.
INT_PTR DialogProcResult(HWND hwnd, UINT msg, bool handled, INT_PTR result);

// The module whose resources the program loads (the executable, or a test program
// that links the same resources).
HINSTANCE ResourceModule();
