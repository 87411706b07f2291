// CLinkStatic on a static control of a small window: sizing to its text, the
// colour request, cursor and tooltip, a successful click and a click on a
// target that nothing opens. The About dialog with its two links.
#include "widgets/link_static_win.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "core/message_texts.h"
#include "platform/handles_win.h"
#include "platform/window_win.h"
#include "resource.h"
#include "widgets/about_dialog_win.h"
#include "support/pump_messages_win.h"
#include "win/widgets/test_canvas_win.h"
#include "win/widgets/message_box_watch_win.h"

namespace {

constexpr int kLinkId = 1102;

class Parent : public Window {
 public:
  explicit Parent(DWORD staticStyle, const char* text = "Web-site: example") {
    Create("QrLinkTestParent", "link parent", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 50, 50, 400, 200, nullptr,
           nullptr);
    control = ::CreateWindowExA(0, "STATIC", text, WS_CHILD | WS_VISIBLE | staticStyle, 10, 20, 300, 40, Hwnd(),
                                reinterpret_cast<HMENU>(kLinkId), ResourceModule(), nullptr);
  }
  RECT ControlRect() const {
    RECT r = {};
    ::GetWindowRect(control, &r);
    ::MapWindowPoints(nullptr, Hwnd(), reinterpret_cast<POINT*>(&r), 2);
    return r;
  }
  SIZE TextExtent() const {
    char text[256] = {};
    ::GetWindowTextA(control, text, sizeof(text));
    WindowDC dc(control);
    SIZE size = {};
    ::GetTextExtentPoint32A(dc.Get(), text, lstrlenA(text), &size);
    return size;
  }
  HWND control = nullptr;
};

// A link whose opening and failure report are recorded instead of done.
class RecordingLink : public CLinkStatic {
 public:
  int result = 42;
  int opened = 0;
  int reported = -1;

 protected:
  int OpenTarget(const std::string&, int showCommand) override {
    ++opened;
    EXPECT_EQ(showCommand, 5);
    return result;
  }
  void ReportFailure(int code) override { reported = code; }
};

struct ColourAnswer {
  HBRUSH brush;
  COLORREF text;
  LOGFONTA font;
};

ColourAnswer AskColour(HWND parent, HWND control) {
  UniqueDC dc(::CreateCompatibleDC(nullptr));
  ColourAnswer answer = {};
  answer.brush = reinterpret_cast<HBRUSH>(
      ::SendMessageA(parent, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.Get()), reinterpret_cast<LPARAM>(control)));
  answer.text = ::GetTextColor(dc.Get());
  ::GetObjectA(::GetCurrentObject(dc.Get(), OBJ_FONT), sizeof(answer.font), &answer.font);
  return answer;
}

std::string ToolText(HWND tooltip, HWND control, RECT* rect = nullptr) {
  char text[256] = {};
  TOOLINFOA info = {};
  info.cbSize = sizeof(info);
  info.hwnd = control;
  info.uId = 1;
  info.lpszText = text;
  if (!::SendMessageA(tooltip, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&info))) return "<no tool>";
  if (rect) *rect = info.rect;
  return text;
}

void Click(HWND control) {
  ::SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  ::SendMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
}

TEST(LinkStatic, AttachTakesTheTextAsTargetAndSizesTheControlToIt) {
  struct Case {
    DWORD style;
    bool centred;
  };
  for (Case c : {Case{SS_LEFT, false}, Case{SS_CENTER | SS_CENTERIMAGE, true}}) {
    Parent parent(c.style);
    RecordingLink link;
    ASSERT_TRUE(link.Attach(parent.control));
    EXPECT_EQ(link.Target(), "Web-site: example");
    EXPECT_TRUE(::GetWindowLongA(parent.control, GWL_STYLE) & SS_NOTIFY);
    const SIZE text = parent.TextExtent();
    const RECT r = parent.ControlRect();
    EXPECT_EQ(r.right - r.left, text.cx);
    EXPECT_EQ(r.bottom - r.top, text.cy);
    if (c.centred) {
      EXPECT_EQ(r.left, 10 + (300 - text.cx) / 2);
      EXPECT_EQ(r.top, 20 + (40 - text.cy) / 2);
    } else {
      EXPECT_EQ(r.left, 10);
      EXPECT_EQ(r.top, 20);
    }
    RECT tool = {};
    EXPECT_EQ(ToolText(link.Tooltip(), parent.control, &tool), "Web-site: example");
    EXPECT_EQ(tool.right, text.cx);
    EXPECT_EQ(tool.bottom, text.cy);
  }
}

// A link whose font is larger than the one its bare device context measures
// with (a dialog font at a larger display scale) still gets room for its text.
TEST(LinkStatic, TheBoxHoldsTheTextInTheControlsOwnFont) {
  Parent parent(SS_LEFT, "Web-site: https://www.orvantis.example/");
  LOGFONTA large = {};
  large.lfHeight = -40;
  lstrcpynA(large.lfFaceName, "Tahoma", LF_FACESIZE);
  UniqueFont font(::CreateFontIndirectA(&large));
  ::SendMessageA(parent.control, WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), FALSE);
  SIZE drawn = {};
  {
    WindowDC dc(parent.control);
    SelectScope selected(dc.Get(), font.Get());
    const char* text = "Web-site: https://www.orvantis.example/";
    ::GetTextExtentPoint32A(dc.Get(), text, lstrlenA(text), &drawn);
  }
  ASSERT_GT(drawn.cx, parent.TextExtent().cx);
  RecordingLink link;
  ASSERT_TRUE(link.Attach(parent.control));
  const RECT r = parent.ControlRect();
  EXPECT_EQ(r.right - r.left, drawn.cx);
  EXPECT_EQ(r.bottom - r.top, drawn.cy);
}

TEST(LinkStatic, ColourRequestCursorAndAVisitedClick) {
  Parent parent(SS_LEFT);
  HFONT font = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
  ::SendMessageA(parent.control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  RecordingLink link;
  ASSERT_TRUE(link.Attach(parent.control));

  ColourAnswer first = AskColour(parent.Hwnd(), parent.control);
  EXPECT_EQ(first.brush, static_cast<HBRUSH>(::GetStockObject(HOLLOW_BRUSH)));
  EXPECT_EQ(first.text, 0xEE0000u);
  EXPECT_TRUE(first.font.lfUnderline);
  LOGFONTA base = {};
  ::GetObjectA(font, sizeof(base), &base);
  EXPECT_STREQ(first.font.lfFaceName, base.lfFaceName);
  // Other statics of the parent get the parent's own answer.
  HWND other = ::CreateWindowExA(0, "STATIC", "x", WS_CHILD, 0, 0, 5, 5, parent.Hwnd(), nullptr, nullptr, nullptr);
  EXPECT_NE(AskColour(parent.Hwnd(), other).text, 0xEE0000u);

  ::SendMessageA(parent.control, WM_SETCURSOR, reinterpret_cast<WPARAM>(parent.control), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(::GetCursor(), ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)));

  Click(parent.control);
  EXPECT_EQ(link.opened, 1);
  EXPECT_TRUE(link.Visited());
  EXPECT_EQ(link.reported, -1);
  EXPECT_EQ(AskColour(parent.Hwnd(), parent.control).text, 0x8B1A55u);
}

// The longest run of pixels of `color` in any row.
int LongestRun(const TestCanvas& canvas, int width, int height, COLORREF color) {
  int longest = 0;
  for (int y = 0; y < height; ++y) {
    int run = 0;
    for (int x = 0; x < width; ++x) {
      run = canvas.At(x, y) == color ? run + 1 : 0;
      longest = std::max(longest, run);
    }
  }
  return longest;
}

TEST(LinkStatic, TheTextIsDrawnUnderlinedInTheLinkColour) {
  Parent parent(SS_LEFT, "Web-site: https://www.orvantis.example/");
  HFONT font = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
  ::SendMessageA(parent.control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  {
    RecordingLink link;
    ASSERT_TRUE(link.Attach(parent.control));
    const RECT r = parent.ControlRect();
    TestCanvas canvas(r.right - r.left, r.bottom - r.top, RGB(255, 255, 255));
    ::SendMessageA(parent.control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), PRF_CLIENT);
    SIZE drawn = {};
    {
      UniqueDC measure(::CreateCompatibleDC(nullptr));
      SelectScope select(measure.Get(), font);
      ::GetTextExtentPoint32A(measure.Get(), "Web-site: https://www.orvantis.example/", 39, &drawn);
    }
    // The underline: one unbroken line under the whole text.
    EXPECT_GE(LongestRun(canvas, r.right - r.left, r.bottom - r.top, 0xEE0000), drawn.cx * 9 / 10);
  }
  // The control keeps its own font when the link is gone.
  EXPECT_EQ(reinterpret_cast<HFONT>(::SendMessageA(parent.control, WM_GETFONT, 0, 0)), font);
}

TEST(LinkStatic, AFailedOpenIsReportedAndLeavesTheLinkUnvisited) {
  Parent parent(SS_LEFT);
  RecordingLink link;
  link.result = 2;
  ASSERT_TRUE(link.Attach(parent.control));
  Click(parent.control);
  EXPECT_EQ(link.reported, 2);
  EXPECT_FALSE(link.Visited());
  EXPECT_EQ(AskColour(parent.Hwnd(), parent.control).text, 0xEE0000u);
}

// Keeps the ".htm" fallback from finding a program without touching the
// user's associations: while it lives, this thread's process sees a private
// classes key of the test's own (where ".htm" names a class without a
// command) in place of HKEY_CLASSES_ROOT; the key is deleted afterwards.
class NoHtmProgram {
 public:
  static constexpr const char* kTestKey = "Software\\Orvantis.Quickrail Tests";

  NoHtmProgram() {
    HKEY classes = nullptr;
    const std::string path = std::string(kTestKey) + "\\Classes";
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &classes,
                          nullptr) != ERROR_SUCCESS) {
      return;
    }
    classes_.Reset(classes);
    HKEY htm = nullptr;
    ::RegCreateKeyExA(classes, ".htm", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &htm, nullptr);
    UniqueRegKey owned(htm);
    const char value[] = "QrTest.NoSuchClass";
    ::RegSetValueExA(htm, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value), sizeof(value));
    overridden_ = ::RegOverridePredefKey(HKEY_CLASSES_ROOT, classes) == ERROR_SUCCESS;
  }
  ~NoHtmProgram() {
    if (overridden_) ::RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr);
    classes_.Reset(nullptr);
    for (const char* sub : {"\\Classes\\.htm", "\\Classes", ""}) {
      ::RegDeleteKeyA(HKEY_CURRENT_USER, (std::string(kTestKey) + sub).c_str());
    }
  }
  // The process sees the private key, and it says what the test wants.
  bool InPlace() const {
    HKEY htm = nullptr;
    if (!overridden_ || ::RegOpenKeyExA(HKEY_CLASSES_ROOT, ".htm", 0, KEY_QUERY_VALUE, &htm) != ERROR_SUCCESS) {
      return false;
    }
    UniqueRegKey owned(htm);
    char value[64] = {};
    LONG size = sizeof(value);
    return ::RegQueryValueA(htm, nullptr, value, &size) == ERROR_SUCCESS && std::string(value) == "QrTest.NoSuchClass";
  }

 private:
  UniqueRegKey classes_;
  bool overridden_ = false;
};

TEST(LinkStatic, ATargetWithoutAnAssociatedProgramShowsTheErrorBox) {
  char folder[MAX_PATH] = {};
  ::GetTempPathA(MAX_PATH, folder);
  const std::string file = std::string(folder) + "qr-link-test.qrnoassoc";
  {
    UniqueKernelHandle handle(::CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    ASSERT_TRUE(handle);
  }
  NoHtmProgram noFallback;
  ASSERT_TRUE(noFallback.InPlace());
  Parent parent(SS_LEFT, file.c_str());
  CLinkStatic link;
  ASSERT_TRUE(link.Attach(parent.control));

  auto box = AnswerNextMessageBox(ProgramTitle());
  Click(parent.control);
  EXPECT_EQ(box.get(),
            "Unable to open hyperlink:\n\nThere is no application associated\nwith the given filename extension.");
  EXPECT_FALSE(link.Visited());
  ::DeleteFileA(file.c_str());
}

// --- the About dialog ---------------------------------------------------------

BOOL CALLBACK CountVisibleOfThisProcess(HWND hwnd, LPARAM lp) {
  DWORD pid = 0;
  ::GetWindowThreadProcessId(hwnd, &pid);
  if (pid == ::GetCurrentProcessId() && ::IsWindowVisible(hwnd)) ++*reinterpret_cast<int*>(lp);
  return TRUE;
}

int VisibleWindowsOfThisProcess() {
  int count = 0;
  ::EnumWindows(&CountVisibleOfThisProcess, reinterpret_cast<LPARAM>(&count));
  return count;
}

TEST(AboutDialog, ShowsTheProgramAndItsTwoLinks) {
  MessageTexts texts;
  AboutDialog about(texts);
  ASSERT_TRUE(about.CreateModeless(nullptr));
  char text[256] = {};
  ::GetWindowTextA(about.Hwnd(), text, sizeof(text));
  EXPECT_STREQ(text, "About Orvantis");

  bool version = false;
  bool icon = false;
  for (HWND child = ::GetWindow(about.Hwnd(), GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    ::GetWindowTextA(child, text, sizeof(text));
    version |= std::string(text) == "Orvantis.Quickrail\n Version 2.0";
    icon |= ::SendMessageA(child, STM_GETICON, 0, 0) != 0 && (::GetWindowLongA(child, GWL_STYLE) & SS_ICON);
  }
  EXPECT_TRUE(version);
  EXPECT_TRUE(icon);
  EXPECT_TRUE(::GetDlgItem(about.Hwnd(), IDOK));

  struct Expected {
    const CLinkStatic& link;
    int id;
    const char* label;
    std::string target;
  };
  const HCURSOR hand = ::LoadCursorA(ResourceModule(), MAKEINTRESOURCEA(IDC_CLOCKHAND));
  ASSERT_TRUE(hand);
  for (const Expected& e : {Expected{about.WebSiteLink(), 1102, "Web-site: https://www.orvantis.example/", texts.Text(56)},
                            Expected{about.EmailLink(), 1103, "E-mail: support@orvantis.example", texts.Text(180)}}) {
    HWND control = ::GetDlgItem(about.Hwnd(), e.id);
    ASSERT_EQ(e.link.Hwnd(), control);
    ::GetWindowTextA(control, text, sizeof(text));
    EXPECT_STREQ(text, e.label);
    EXPECT_EQ(e.link.Target(), e.target);
    EXPECT_EQ(ToolText(e.link.Tooltip(), control), e.target);
    ::SendMessageA(control, WM_SETCURSOR, reinterpret_cast<WPARAM>(control), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(::GetCursor(), hand);
    EXPECT_EQ(AskColour(about.Hwnd(), control).text, 0xEE0000u);
  }
  EXPECT_EQ(about.EmailLink().Target().rfind("mailto:", 0), 0u);
}

TEST(AboutDialog, F1IsAnsweredAndOpensNothing) {
  MessageTexts texts;
  AboutDialog about(texts);
  ASSERT_TRUE(about.CreateModeless(nullptr));
  ::ShowWindow(about.Hwnd(), SW_SHOW);
  const int before = VisibleWindowsOfThisProcess();
  HELPINFO help = {};
  help.cbSize = sizeof(help);
  help.iContextType = HELPINFO_WINDOW;
  help.hItemHandle = about.Hwnd();
  EXPECT_EQ(::SendMessageA(about.Hwnd(), WM_HELP, 0, reinterpret_cast<LPARAM>(&help)), TRUE);
  PumpMessages(300);
  EXPECT_EQ(VisibleWindowsOfThisProcess(), before);
  EXPECT_TRUE(::IsWindow(about.Hwnd()));
}

}  // namespace
