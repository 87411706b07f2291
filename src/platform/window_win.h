// The small window layer the program's windows derive from. A WindowBase owns
// the slot of one HWND; a Window receives every message of a window it created
// (or of a control it subclassed) through one virtual HandleMessage; a Dialog is
// made from a dialog template, modal or modeless.
//
// Destroy contract: a derived class whose message handlers use its own members
// destroys its window in its own destructor (Destroy()), while those members
// still exist. Should a window outlive its derived part anyway, the base
// destructor first cuts the window off from the object, so no message can reach
// a half-destroyed object, and then destroys it.
#pragma once

#include <windows.h>

#include <string>

class WindowBase {
 public:
  WindowBase(const WindowBase&) = delete;
  WindowBase& operator=(const WindowBase&) = delete;

  HWND Hwnd() const { return hwnd_; }
  // Destroys the window if it still exists.
  void Destroy();

 protected:
  enum class Binding { kNone, kUserData, kSubclass };

  WindowBase() = default;
  ~WindowBase();

  // Binds the object to `hwnd` (at WM_NCCREATE / WM_INITDIALOG) or forgets it
  // (at WM_NCDESTROY, where OnFinalDestroy follows).
  void Bind(HWND hwnd, Binding binding);
  void Unbind();
  // Called after WM_NCDESTROY, when the HWND is gone.
  virtual void OnFinalDestroy() {}

  HWND hwnd_ = nullptr;
  Binding binding_ = Binding::kNone;
};

class Window : public WindowBase {
 public:
  Window() = default;
  virtual ~Window() = default;

  // Registers the class once (per name) and creates the window; `this` is bound
  // at WM_NCCREATE. Returns false when the window could not be created.
  [[nodiscard]] bool Create(const char* className, const char* title, DWORD style, DWORD exStyle, int x, int y,
                            int width, int height, HWND parent, HMENU menuOrId, UINT classStyle = CS_DBLCLKS,
                            HCURSOR cursor = nullptr, HBRUSH background = nullptr);

  // Takes over an existing control through the common controls' subclassing;
  // what we don't handle goes on to the control.
  [[nodiscard]] bool Subclass(HWND hwnd);

 protected:
  // Every message of the window; call DefaultProc for what is not handled.
  virtual LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
  LRESULT DefaultProc(UINT msg, WPARAM wp, LPARAM lp);

 private:
  // HandleMessage inside the exception barrier.
  LRESULT GuardedHandle(UINT msg, WPARAM wp, LPARAM lp);
  static LRESULT CALLBACK StaticProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR data);
  friend class WindowBase;
};

class Dialog : public WindowBase {
 public:
  explicit Dialog(int templateId) : templateId_(templateId) {}
  virtual ~Dialog() = default;

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
  bool modal_ = false;
};

// What a dialog procedure returns for `msg` after a handler ran (`handled`,
// `result`): the value itself for the few messages that want it, otherwise
// TRUE with the result in DWLP_MSGRESULT.
INT_PTR DialogProcResult(HWND hwnd, UINT msg, bool handled, INT_PTR result);

// The module whose resources the program loads (the executable, or a test program
// that links the same resources).
HINSTANCE ResourceModule();
