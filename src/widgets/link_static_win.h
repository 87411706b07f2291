// CLinkStatic turns a static text control of a dialog into a link: the text is
// drawn in the link colour and underlined, the cursor changes over it, a
// tooltip shows the target, and a click opens the target with the shell (a
// web address, a "mailto:" address, a file). The control is subclassed, and so
// is its parent for the two messages it sends about the control: the colour
// request and the click; other links and objects may subclass the same windows.
#pragma once

#include <windows.h>

#include <string>

#include "platform/handles_win.h"
#include "platform/window_win.h"

class CLinkStatic {
 public:
  static constexpr COLORREF kLinkColor = 0xEE0000;
  static constexpr COLORREF kVisitedColor = 0x8B1A55;
  static constexpr int kShowCommand = SW_SHOW;

  CLinkStatic() = default;
  virtual ~CLinkStatic();
  CLinkStatic(const CLinkStatic&) = delete;
  CLinkStatic& operator=(const CLinkStatic&) = delete;

  // Takes over a static control: adds the notify style, takes the window text
  // as target when none was set (or the target as text when the control has
  // none), sizes the control to its text, sets the arrow cursor and adds the
  // tooltip over the whole control.
  bool Attach(HWND control);
  void SetTarget(const std::string& target);
  const std::string& Target() const { return target_; }
  // Replaces the arrow cursor; the cursor is a shared one and stays the caller's.
  void SetLinkCursor(HCURSOR cursor) { cursor_ = cursor; }

  HWND Hwnd() const { return control_; }
  HWND Tooltip() const { return tooltip_.Get(); }
  bool Visited() const { return visited_; }

  COLORREF linkColor = kLinkColor;
  COLORREF visitedColor = kVisitedColor;
  bool underline = true;
  bool autoSize = true;

 protected:
  // Opens the target; above 32 is success, as with the shell's open operation.
  virtual int OpenTarget(const std::string& target, int showCommand);
  // Beeps and shows the message box with the text for the failure code.
  virtual void ReportFailure(int code);

 private:
  struct WindowTraits {
    using Handle = HWND;
    static Handle Invalid() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr; }
    static void Close(Handle h) {
      if (::IsWindow(h)) ::DestroyWindow(h);
    }
  };

  // The control's messages: the tooltip relay, the cursor, the control's end.
  class ControlHook : public Window {
   public:
    explicit ControlHook(CLinkStatic& link) : link_(link) {}

   protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    // The dialog goes away before the object: the link lets go of both windows.
    void OnFinalDestroy() override { link_.Detach(false); }

   private:
    CLinkStatic& link_;
  };
  // The parent's two messages about the control: the colour request and the click.
  class ParentHook : public Window {
   public:
    explicit ParentHook(CLinkStatic& link) : link_(link) {}

   protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

   private:
    CLinkStatic& link_;
  };

  void SizeToText();
  void UpdateTool();
  HBRUSH OnColorRequest(HDC dc);
  void OnClick();
  // `controlStays`: the control lives on and gets its own font back.
  void Detach(bool controlStays);

  HWND control_ = nullptr;
  HWND parent_ = nullptr;
  std::string target_;
  bool visited_ = false;
  HCURSOR cursor_ = nullptr;
  UniqueFont underlinedFont_;
  HFONT originalFont_ = nullptr;  // the control's font before the underlined copy, not owned
  UniqueHandle<WindowTraits> tooltip_;
  ControlHook controlHook_{*this};
  ParentHook parentHook_{*this};
};
