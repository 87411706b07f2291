// Every control of the three options pages changed over the real bar window,
// then Cancel: the bar looks as it did before (its pixels on the screen and its
// rectangle) and "options.ini" holds what it held.
#include "options/options_sheet_win.h"

#include <commctrl.h>

#include <fstream>
#include <iterator>
#include <set>
#include <sstream>

#include "options_ids.h"
#include "platform/profile_win.h"
#include "support/draw_pixels_win.h"
#include "win/barwnd/bar_window_fixture.h"

namespace bar_window_test {
namespace {

// The bar's settings go to a file, as start-up's do.
class IniBarHost : public QuietBarHost {
 public:
  explicit IniBarHost(const std::string& path) : path_(path) {}
  void WriteSettings(const Settings& record, const LiveViewValues& live, int32_t displayedBar) override {
    WinProfile profile(path_);
    Settings written = record;
    written.Save(profile, &live, displayedBar);
  }

 private:
  const std::string& path_;
};

class AnsweringDialogs : public OptionsDialogs {
 public:
  bool ChooseColor(HWND, COLORREF& colour) override {
    colour = RGB(200, 30, 120);
    return true;
  }
  bool ChooseFont(HWND, LOGFONTA& font, COLORREF& colour, int& tenths) override {
    lstrcpynA(font.lfFaceName, "Courier New", LF_FACESIZE);
    font.lfHeight = -24;
    colour = RGB(0, 0, 255);
    tenths = 180;
    return true;
  }
};

class NoHelp : public HelpViewer {
 public:
  bool ShowTopic(const std::string&) override { return true; }
};

enum class Act { kPage, kClick, kSelect };
struct Step {
  Act act;
  int id;  // the page index for kPage
  int index = 0;
};
Step Page(int index) { return {Act::kPage, index}; }
Step Click(int id) { return {Act::kClick, id}; }
Step Select(int id, int index) { return {Act::kSelect, id, index}; }

struct CancelCase {
  const char* name;
  bool clockArea;  // the clock area when the sheet opens
  std::vector<Step> steps;
  bool logoffMidway = false;  // a logoff, cancelled by another program, before Cancel
};

std::string FileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

struct Look {
  RECT rect;
  std::vector<DWORD> pixels;
};

// What the screen shows where the bar is, once the bar and its children have painted.
Look LookOf(HWND bar) {
  PumpMessages(150);
  ::RedrawWindow(bar, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  PumpMessages(50);
  Look look = {};
  ::GetWindowRect(bar, &look.rect);
  HDC screen = ::GetDC(nullptr);
  look.pixels = DrawToPixels(look.rect.right - look.rect.left, look.rect.bottom - look.rect.top, [&](HDC dc) {
    ::BitBlt(dc, 0, 0, look.rect.right - look.rect.left, look.rect.bottom - look.rect.top, screen, look.rect.left,
             look.rect.top, SRCCOPY);
  });
  ::ReleaseDC(nullptr, screen);
  return look;
}

class OptionsCancelTest : public BarWindowTest, public testing::WithParamInterface<CancelCase> {
 protected:
  void Run(HWND sheet, const Step& step) {
    HWND page = reinterpret_cast<HWND>(::SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    HWND control = ::GetDlgItem(page, step.id);
    switch (step.act) {
      case Act::kPage:
        ::SendMessageA(sheet, PSM_SETCURSEL, step.id, 0);
        break;
      case Act::kClick:
        ASSERT_TRUE(control && ::IsWindowEnabled(control)) << "control " << step.id;
        ::SendMessageA(control, BM_CLICK, 0, 0);
        break;
      case Act::kSelect:
        ::SendMessageA(control, CB_SETCURSEL, step.index, 0);
        ::SendMessageA(page, WM_COMMAND, MAKEWPARAM(step.id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(control));
        break;
    }
    PumpMessages(40);
  }

  std::string ini_;  // in the test's folder
  IniBarHost iniHost_{ini_};
  AnsweringDialogs dialogs_;
  NoHelp help_;
};

TEST_P(OptionsCancelTest, CancelLeavesTheBarAndTheFileAsTheyWere) {
  const CancelCase& c = GetParam();
  ini_ = folder_ + "\\options-cancel.ini";
  ::DeleteFileA(ini_.c_str());
  // The date alone on the panel: nothing on the bar changes from one second to the next.
  settings_.ShowBlock = c.clockArea ? 1 : 0;
  settings_.ShowCal = 1;
  settings_.ShowClock = 0;
  settings_.ColorBk = static_cast<int32_t>(RGB(40, 160, 40));
  settings_.ColorClockBk = static_cast<int32_t>(RGB(250, 250, 200));
  settings_.LargeIcon = 0;
  settings_.FlatButtons = 1;
  settings_.UseToolTips = 1;
  settings_.SysTrayIcon = 0;
  AddBar("one", {"a", "-", "b"});
  window_ = std::make_unique<BarWindow>(settings_, db_, texts_, nullptr, iniHost_);
  ASSERT_TRUE(window_->CreateModeless(nullptr));
  ::ShowWindow(window_->Hwnd(), SW_SHOWNOACTIVATE);
  const Look before = LookOf(window_->Hwnd());
  window_->WriteSettings();
  // The print shows the bar: its background, the panel and the buttons.
  ASSERT_GT(std::set<DWORD>(before.pixels.begin(), before.pixels.end()).size(), 3u);
  const std::string fileBefore = FileText(ini_);
  ASSERT_FALSE(fileBefore.empty());

  OptionsSheet sheet(settings_, texts_, *window_, help_, dialogs_);
  ASSERT_TRUE(sheet.OpenModeless(window_->Hwnd()));
  PumpMessages(100);
  for (const Step& step : c.steps) ASSERT_NO_FATAL_FAILURE(Run(sheet.OpenSheet(), step));
  if (c.logoffMidway) {
    ::SendMessageA(window_->Hwnd(), WM_QUERYENDSESSION, 0, 0);
    EXPECT_EQ(FileText(ini_), fileBefore) << "the logoff wrote values nobody confirmed";
    ::SendMessageA(window_->Hwnd(), WM_ENDSESSION, FALSE, 0);
  }
  ::SendMessageA(sheet.OpenSheet(), PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
  PumpMessages(2000, [&] { return sheet.CloseIfFinished(); });
  ASSERT_EQ(sheet.OpenSheet(), nullptr);

  const Look after = LookOf(window_->Hwnd());
  EXPECT_TRUE(::EqualRect(&before.rect, &after.rect));
  ASSERT_EQ(after.pixels.size(), before.pixels.size());
  int differing = 0;
  for (size_t i = 0; i < before.pixels.size(); ++i) differing += before.pixels[i] != after.pixels[i];
  EXPECT_EQ(differing, 0) << "pixels of the bar differ after Cancel";
  EXPECT_EQ(FileText(ini_), fileBefore);
}

constexpr int kClockPage = 0, kViewPage = 1, kProgramPage = 2;

INSTANTIATE_TEST_SUITE_P(
    EveryControl, OptionsCancelTest,
    testing::Values(
        CancelCase{"ClockArea", true, {Click(IDC_CLOCK_AREA)}},
        CancelCase{"Left", true, {Click(IDC_CLOCK_LEFT)}},
        CancelCase{"TwoLines", true, {Click(IDC_CLOCK_TWO_LINES)}},
        CancelCase{"Date", true, {Click(IDC_CLOCK_DATE)}},
        CancelCase{"Year", true, {Click(IDC_CLOCK_YEAR)}},
        CancelCase{"DayOfWeek", true, {Click(IDC_CLOCK_DAY_OF_WEEK)}},
        CancelCase{"DateFormat", true, {Select(IDC_CLOCK_DATE_FORMAT, 0)}},
        CancelCase{"DateSeparator", true, {Select(IDC_CLOCK_DATE_SEP, 0)}},
        CancelCase{"Clock", true, {Click(IDC_CLOCK_CLOCK)}},
        CancelCase{"Seconds", true, {Click(IDC_CLOCK_CLOCK), Click(IDC_CLOCK_SECONDS)}},
        CancelCase{"TwentyFourHours", true, {Click(IDC_CLOCK_CLOCK), Click(IDC_CLOCK_24H)}},
        CancelCase{"TimeSeparator", true, {Click(IDC_CLOCK_CLOCK), Select(IDC_CLOCK_TIME_SEP, 0)}},
        CancelCase{"Large", true, {Page(kViewPage), Click(IDC_VIEW_LARGE)}},
        CancelCase{"Flat", true, {Page(kViewPage), Click(IDC_VIEW_FLAT)}},
        CancelCase{"PanelColour", true, {Page(kViewPage), Click(IDC_VIEW_PANEL_BK)}},
        CancelCase{"ClockColour", true, {Page(kViewPage), Click(IDC_VIEW_CLOCK_BK)}},
        CancelCase{"TextColour", true, {Page(kViewPage), Click(IDC_VIEW_TEXT_COLOR)}},
        CancelCase{"StandardColours", true, {Page(kViewPage), Click(IDC_VIEW_STANDARD)}},
        CancelCase{"Font", true, {Page(kViewPage), Click(IDC_VIEW_CHANGE_FONT)}},
        CancelCase{"FontThenLogoff", true, {Page(kViewPage), Click(IDC_VIEW_CHANGE_FONT)}, true},
        CancelCase{"Startup", true, {Page(kProgramPage), Click(IDC_PROG_STARTUP)}},
        CancelCase{"TrayIcon", true, {Page(kProgramPage), Click(IDC_PROG_TRAY)}},
        CancelCase{"Tooltips", true, {Page(kProgramPage), Click(IDC_PROG_TOOLTIPS)}},
        CancelCase{"Smoothly", true, {Page(kProgramPage), Click(IDC_PROG_SMOOTHLY)}},
        CancelCase{"Logo", true, {Page(kProgramPage), Click(IDC_PROG_LOGO)}},
        CancelCase{"Splash", true, {Page(kProgramPage), Click(IDC_PROG_SPLASH)}},
        // The panel made and then removed again by Cancel, with the look changed meanwhile.
        CancelCase{"AreaOnThenColourAndLarge", false,
                   {Click(IDC_CLOCK_AREA), Page(kViewPage), Click(IDC_VIEW_PANEL_BK), Click(IDC_VIEW_LARGE)}}),
    [](const testing::TestParamInfo<CancelCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace bar_window_test
