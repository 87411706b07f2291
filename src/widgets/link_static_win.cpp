#include "widgets/link_static_win.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <optional>

#include "core/message_texts.h"
#include "widgets/hyperlink_rules.h"
#include "core/message_box_win.h"
#include "platform/geometry_win.h"

namespace {

constexpr UINT kToolId = 1;

// The shell, the registry and process creation of this machine.
class WindowsHyperlinkSystem final : public HyperlinkSystem {
 public:
  int ShellOpen(const std::string& target, int showCommand) override {
    ComScope com;  // some handlers of web and mail addresses are COM servers
    HINSTANCE result = ::ShellExecuteA(nullptr, "open", target.c_str(), nullptr, nullptr, showCommand);
    return static_cast<int>(reinterpret_cast<INT_PTR>(result));
  }

  std::optional<std::string> ClassesRootDefault(const std::string& key) override {
    HKEY opened = nullptr;
    if (::RegOpenKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS) {
      return std::nullopt;
    }
    UniqueRegKey owned(opened);
    char value[MAX_PATH + 1] = {};
    DWORD size = MAX_PATH;
    DWORD type = 0;
    if (::RegQueryValueExA(opened, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value), &size) !=
            ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ)) {
      return std::nullopt;
    }
    return std::string(value);  // the extra byte keeps a value without its terminator terminated
  }

  int Run(const std::string& commandLine, int showCommand) override {
    std::string line = commandLine;  // CreateProcess may write into it
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(showCommand);
    PROCESS_INFORMATION process = {};
    if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
      return RunResultFromError(::GetLastError());
    }
    UniqueKernelHandle thread(process.hThread);
    UniqueKernelHandle started(process.hProcess);
    return 33;  // any value above 32 reads as success
  }
};

RECT ClientRect(HWND hwnd) {
  RECT r = {};
  ::GetClientRect(hwnd, &r);
  return r;
}

std::string WindowText(HWND hwnd) {
  const int length = ::GetWindowTextLengthA(hwnd);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  text.resize(static_cast<std::size_t>(::GetWindowTextA(hwnd, text.data(), length + 1)));
  return text;
}

TOOLINFOA Tool(HWND control) {
  TOOLINFOA info = {};
  info.cbSize = sizeof(info);
  info.hwnd = control;
  info.uId = kToolId;
  return info;
}

}  // namespace

CLinkStatic::~CLinkStatic() { Detach(true); }

bool CLinkStatic::Attach(HWND control) {
  if (!control || control_) return false;
  control_ = control;
  parent_ = ::GetParent(control);
  if (!controlHook_.Subclass(control_) || !parentHook_.Subclass(parent_)) {
    Detach(true);
    return false;
  }
  ::SetWindowLongA(control_, GWL_STYLE, ::GetWindowLongA(control_, GWL_STYLE) | SS_NOTIFY);
  const std::string text = WindowText(control_);
  if (target_.empty()) target_ = text;
  if (text.empty()) ::SetWindowTextA(control_, target_.c_str());
  SizeToText();
  cursor_ = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));

  tooltip_.Reset(::CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, parent_, nullptr,
                                   ResourceModule(), nullptr));
  if (tooltip_) {
    TOOLINFOA info = Tool(control_);
    info.rect = ClientRect(control_);
    info.lpszText = const_cast<char*>(target_.c_str());
    ::SendMessageA(tooltip_.Get(), TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
  }
  return true;
}

void CLinkStatic::SetTarget(const std::string& target) {
  target_ = target;
  if (!control_) return;
  SizeToText();
  UpdateTool();
}

void CLinkStatic::UpdateTool() {
  if (!tooltip_) return;
  TOOLINFOA info = Tool(control_);
  info.rect = ClientRect(control_);  // the control may have changed size
  ::SendMessageA(tooltip_.Get(), TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&info));
  info.lpszText = const_cast<char*>(target_.c_str());
  ::SendMessageA(tooltip_.Get(), TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&info));
}

void CLinkStatic::SizeToText() {
  if (!autoSize || !control_) return;
  RECT r = {};
  ::GetWindowRect(control_, &r);
  ::MapWindowPoints(nullptr, parent_, reinterpret_cast<POINT*>(&r), 2);
  const std::string text = WindowText(control_);
  SIZE extent = {};
  {
    // Measured as the control's own device context comes, without its font,
    // and in the font the control draws with: the box holds the larger, so a
    // font grown with the display scale never wraps or clips the text.
    WindowDC dc(control_);
    const int length = static_cast<int>(text.size());
    ::GetTextExtentPoint32A(dc.Get(), text.c_str(), length, &extent);
    if (auto font = reinterpret_cast<HFONT>(::SendMessageA(control_, WM_GETFONT, 0, 0))) {
      SelectScope selected(dc.Get(), font);
      SIZE drawn = {};
      ::GetTextExtentPoint32A(dc.Get(), text.c_str(), length, &drawn);
      extent = {std::max(extent.cx, drawn.cx), std::max(extent.cy, drawn.cy)};
    }
  }
  const LONG style = ::GetWindowLongA(control_, GWL_STYLE);
  const LONG type = style & SS_TYPEMASK;
  const LinkTextAlign align = type == SS_CENTER ? LinkTextAlign::kCenter
                              : type == SS_RIGHT ? LinkTextAlign::kRight
                                                 : LinkTextAlign::kLeft;
  const Rect fitted = FitLinkToText(ToRect(r), {extent.cx, extent.cy}, align,
                                    (style & SS_CENTERIMAGE) != 0);
  ::SetWindowPos(control_, nullptr, fitted.left, fitted.top, fitted.Width(), fitted.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

HBRUSH CLinkStatic::OnColorRequest(HDC dc) {
  ::SetTextColor(dc, visited_ ? visitedColor : linkColor);
  if (underline) {
    HFONT current = reinterpret_cast<HFONT>(::SendMessageA(control_, WM_GETFONT, 0, 0));
    if (!underlinedFont_) {
      LOGFONTA font = {};
      if (::GetObjectA(current ? current : ::GetStockObject(SYSTEM_FONT), sizeof(font), &font)) {
        font.lfUnderline = TRUE;
        underlinedFont_.Reset(::CreateFontIndirectA(&font));
      }
    }
    if (underlinedFont_) {
      ::SelectObject(dc, underlinedFont_.Get());
      // Some static controls select their own font only after asking for the
      // colours: the underlined copy becomes the control's font as well.
      if (current != underlinedFont_.Get()) {
        originalFont_ = current;
        ::SendMessageA(control_, WM_SETFONT, reinterpret_cast<WPARAM>(underlinedFont_.Get()), FALSE);
      }
    }
  }
  ::SetBkMode(dc, TRANSPARENT);
  return static_cast<HBRUSH>(::GetStockObject(HOLLOW_BRUSH));
}

void CLinkStatic::OnClick() {
  const int result = OpenTarget(target_, kShowCommand);
  if (result <= 32) {
    ReportFailure(result);
    return;
  }
  visited_ = true;
  // The text is drawn without a background: the parent repaints under it first.
  RECT r = {};
  ::GetWindowRect(control_, &r);
  ::MapWindowPoints(nullptr, parent_, reinterpret_cast<POINT*>(&r), 2);
  ::RedrawWindow(parent_, &r, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

int CLinkStatic::OpenTarget(const std::string& target, int showCommand) {
  WindowsHyperlinkSystem system;
  return OpenHyperlink(target, showCommand, system);
}

void CLinkStatic::ReportFailure(int code) {
  ::MessageBeep(MB_ICONEXCLAMATION);
  ShowProgramMessage(parent_, HyperlinkErrorText(code), MB_ICONEXCLAMATION | MB_OK);
}

void CLinkStatic::Detach(bool controlStays) {
  // A control that outlives this object must not keep the font it deletes.
  if (controlStays && control_ && underlinedFont_ && ::IsWindow(control_) &&
      reinterpret_cast<HFONT>(::SendMessageA(control_, WM_GETFONT, 0, 0)) == underlinedFont_.Get()) {
    ::SendMessageA(control_, WM_SETFONT, reinterpret_cast<WPARAM>(originalFont_), FALSE);
  }
  controlHook_.Release();
  parentHook_.Release();
  control_ = nullptr;
  parent_ = nullptr;
  tooltip_.Reset();
}

LRESULT CLinkStatic::ControlHook::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST && link_.tooltip_) {
    MSG relayed = {Hwnd(), msg, wp, lp, 0, {}};
    ::SendMessageA(link_.tooltip_.Get(), TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
  }
  if (msg == WM_SETCURSOR && link_.cursor_) {
    ::SetCursor(link_.cursor_);
    return TRUE;
  }
  return DefaultProc(msg, wp, lp);
}

LRESULT CLinkStatic::ParentHook::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  // What either handler throws stops at the window base's barrier.
  const bool fromControl = link_.control_ && reinterpret_cast<HWND>(lp) == link_.control_;
  if (msg == WM_CTLCOLORSTATIC && fromControl) {
    return reinterpret_cast<LRESULT>(link_.OnColorRequest(reinterpret_cast<HDC>(wp)));
  }
  if (msg == WM_COMMAND && fromControl && HIWORD(wp) == STN_CLICKED) {
    link_.OnClick();
    return 0;
  }
  return DefaultProc(msg, wp, lp);
}
