// The options sheet opened modeless over a stand-in bar window with a real
// clock panel, on a prepared "options.ini": the pages as they open, changes
// shown by the bar at once, the swatches, F1, and a second Options command.
// OK, Cancel and the real font dialog are the end-to-end scenario's.
#include "options/options_sheet_win.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "core/message_texts.h"
#include "options/clock_page_rules.h"
#include "options_ids.h"
#include "options_test_support.h"
#include "platform/profile_win.h"

namespace {

using Calls = std::vector<std::string>;

constexpr int kApplyButton = 0x3021;  // the sheet's own Apply button

// Red panel, green text, blue clock area; clock off, date shown on one line at the right.
const char* const kPreparedIni =
    "[view]\r\nColorBk=255\r\nColorText=65280\r\nColorClockBk=16711680\r\nLargeIcon=0\r\nFlatButtons=1\r\n"
    "[prog]\r\nStartWindows=1\r\nSysTrayIcon=0\r\nUseToolTips=1\r\nSmoothly=0\r\nLogo=1\r\nSplash=0\r\n"
    "[clock]\r\nShowBlock=1\r\nShowCal=1\r\nShowClock=0\r\nPosLeft=0\r\nOneLine=1\r\nCalType=5\r\n"
    "CalSepType=2\r\nDayOfWeek=0\r\nSec=1\r\nType12h=1\r\nClockSepType=3\r\nFont_Height=-13\r\n"
    "Font_Weight=400\r\nFont_CharSet=0\r\nFont_PitchAndFamily=Tahoma\r\nFontSize=10\r\n";

std::string TempIni() {
  char folder[MAX_PATH] = {};
  ::GetTempPathA(MAX_PATH, folder);
  return std::string(folder) + "qr-options-test.ini";
}

std::vector<std::string> ListItems(HWND list) {
  std::vector<std::string> items;
  const int count = static_cast<int>(::SendMessageA(list, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    char text[128] = {};
    ::SendMessageA(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
    items.push_back(text);
  }
  return items;
}

std::string Text(HWND hwnd) {
  char text[256] = {};
  ::GetWindowTextA(hwnd, text, sizeof(text));
  return text;
}

class OptionsSheetTest : public testing::Test {
 protected:
  void SetUp() override {
    {
      std::ofstream out(ini_, std::ios::binary | std::ios::trunc);
      out << kPreparedIni;
    }
    WinProfile profile(ini_);
    settings_.Load(profile);
    ASSERT_TRUE(bar_.Open());
    ASSERT_TRUE(sheet_.OpenModeless(bar_.Hwnd()));
    ASSERT_NE(sheet_.OpenSheet(), nullptr);
    PumpMessages(100);
  }

  void TearDown() override {
    if (sheet_.OpenSheet()) Press(PSBTN_CANCEL);
    ::DeleteFileA(ini_.c_str());
  }

  HWND ShowPage(int index) {
    ::SendMessageA(sheet_.OpenSheet(), PSM_SETCURSEL, index, 0);
    PumpMessages(50);
    return reinterpret_cast<HWND>(::SendMessageA(sheet_.OpenSheet(), PSM_GETCURRENTPAGEHWND, 0, 0));
  }

  void Click(HWND page, int id) {
    ASSERT_TRUE(::IsWindowEnabled(::GetDlgItem(page, id))) << "control " << id << " is disabled";
    ::SendMessageA(::GetDlgItem(page, id), BM_CLICK, 0, 0);
    PumpMessages(30);
  }

  void Select(HWND page, int id, int index) {
    HWND list = ::GetDlgItem(page, id);
    ::SendMessageA(list, CB_SETCURSEL, index, 0);
    ::SendMessageA(page, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
  }

  bool Checked(HWND page, int id) { return ::IsDlgButtonChecked(page, id) == BST_CHECKED; }
  bool Enabled(HWND page, int id) { return ::IsWindowEnabled(::GetDlgItem(page, id)) != FALSE; }

  // OK or Cancel of the sheet; then the sheet closes as the Options command closes it.
  void Press(int button) {
    ::SendMessageA(sheet_.OpenSheet(), PSM_PRESSBUTTON, button, 0);
    PumpMessages(2000, [this] { return sheet_.CloseIfFinished(); });
  }

  Settings settings_;
  MessageTexts texts_;
  std::string ini_ = TempIni();
  FakeBar bar_{settings_, texts_};
  ScriptedDialogs dialogs_;
  RecordingHelp help_;
  OptionsSheet sheet_{settings_, texts_, bar_, help_, dialogs_};
};

TEST_F(OptionsSheetTest, TabsAreTheThreePagesInOrderWithTheClockPageShownFirst) {
  HWND tabs = reinterpret_cast<HWND>(::SendMessageA(sheet_.OpenSheet(), PSM_GETTABCONTROL, 0, 0));
  ASSERT_NE(tabs, nullptr);
  std::vector<std::string> titles;
  for (int i = 0; i < TabCtrl_GetItemCount(tabs); ++i) {
    char text[64] = {};
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof(text);
    ::SendMessageA(tabs, TCM_GETITEMA, i, reinterpret_cast<LPARAM>(&item));
    titles.push_back(text);
  }
  EXPECT_EQ(titles, (std::vector<std::string>{"Clock view", "View options", "Program options"}));
  EXPECT_EQ(TabCtrl_GetCurSel(tabs), 0);
  EXPECT_EQ(sheet_.ClockPage(), ShowPage(0));
  EXPECT_EQ(Text(sheet_.OpenSheet()), "Orvantis.Quickrail options") << "the sheet's own title";
  EXPECT_EQ(::GetWindow(sheet_.OpenSheet(), GW_OWNER), bar_.Hwnd());
  for (int i = 0; i < 3; ++i) EXPECT_EQ(Text(ShowPage(i)), titles[i]) << "page windows carry their titles";
  EXPECT_EQ(bar_.calls, Calls{"DialogOpen(1)"});
}

TEST_F(OptionsSheetTest, PagesShowThePreparedFile) {
  HWND clock = ShowPage(0);
  for (const ListContents& list : ClockLists()) {
    EXPECT_EQ(ListItems(::GetDlgItem(clock, list.id)), list.items) << list.id;
  }
  EXPECT_TRUE(Checked(clock, IDC_CLOCK_AREA));
  EXPECT_TRUE(Checked(clock, IDC_CLOCK_RIGHT));  // PosLeft 0
  EXPECT_FALSE(Checked(clock, IDC_CLOCK_LEFT));
  EXPECT_TRUE(Checked(clock, IDC_CLOCK_ONE_LINE));
  EXPECT_TRUE(Checked(clock, IDC_CLOCK_12H));
  EXPECT_TRUE(Checked(clock, IDC_CLOCK_DATE));
  EXPECT_FALSE(Checked(clock, IDC_CLOCK_CLOCK));
  EXPECT_FALSE(Checked(clock, IDC_CLOCK_DAY_OF_WEEK));
  EXPECT_EQ(::SendDlgItemMessageA(clock, IDC_CLOCK_DATE_FORMAT, CB_GETCURSEL, 0, 0), 5);
  EXPECT_EQ(::SendDlgItemMessageA(clock, IDC_CLOCK_DATE_SEP, CB_GETCURSEL, 0, 0), 2);
  EXPECT_EQ(::SendDlgItemMessageA(clock, IDC_CLOCK_TIME_SEP, CB_GETCURSEL, 0, 0), 3);
  // The clock is off: its controls wait for it; the date's are there.
  for (int id : {IDC_CLOCK_SECONDS, IDC_CLOCK_12H, IDC_CLOCK_24H, IDC_CLOCK_TIME_SEP}) EXPECT_FALSE(Enabled(clock, id)) << id;
  for (int id : {IDC_CLOCK_DATE_FORMAT, IDC_CLOCK_DATE_SEP, IDC_CLOCK_YEAR}) EXPECT_TRUE(Enabled(clock, id)) << id;

  HWND view = ShowPage(1);
  EXPECT_FALSE(Checked(view, IDC_VIEW_LARGE));
  EXPECT_TRUE(Checked(view, IDC_VIEW_FLAT));
  EXPECT_EQ(Text(::GetDlgItem(view, IDC_VIEW_FONT_LABEL)), "Tahoma, 10 pt");

  HWND program = ShowPage(2);
  const std::pair<int, bool> expected[] = {{IDC_PROG_STARTUP, true}, {IDC_PROG_TRAY, false},
                                           {IDC_PROG_TOOLTIPS, true}, {IDC_PROG_SMOOTHLY, false},
                                           {IDC_PROG_LOGO, true},    {IDC_PROG_SPLASH, false}};
  for (auto [id, checked] : expected) EXPECT_EQ(Checked(program, id), checked) << id;
}

TEST_F(OptionsSheetTest, DateAndClockChangeTheBarsPanelAtOnce) {
  HWND clock = ShowPage(0);
  ASSERT_NE(bar_.Panel(), nullptr);
  EXPECT_NE(bar_.Panel()->DateText(), "");
  EXPECT_EQ(bar_.Panel()->TimeText(), "");

  Click(clock, IDC_CLOCK_CLOCK);
  EXPECT_NE(bar_.Panel()->TimeText(), "") << "the time appears at once";
  EXPECT_EQ(settings_.OneLine, 0);
  EXPECT_TRUE(Checked(clock, IDC_CLOCK_TWO_LINES));
  EXPECT_FALSE(Checked(clock, IDC_CLOCK_ONE_LINE));
  EXPECT_TRUE(Enabled(clock, IDC_CLOCK_SECONDS));

  Click(clock, IDC_CLOCK_DATE);
  EXPECT_EQ(bar_.Panel()->DateText(), "") << "the date goes at once";
  EXPECT_TRUE(Checked(clock, IDC_CLOCK_ONE_LINE));
  EXPECT_FALSE(Enabled(clock, IDC_CLOCK_DATE_FORMAT));

  Click(clock, IDC_CLOCK_AREA);
  EXPECT_EQ(bar_.Panel(), nullptr) << "no area, no panel";
  for (int id : {IDC_CLOCK_LEFT, IDC_CLOCK_TWO_LINES, IDC_CLOCK_DATE, IDC_CLOCK_CLOCK, IDC_CLOCK_12H}) {
    EXPECT_FALSE(Enabled(clock, id)) << id;
  }
  EXPECT_TRUE(Enabled(clock, IDC_CLOCK_YEAR));
  EXPECT_EQ(bar_.calls, (Calls{"DialogOpen(1)", "Redock", "Redock", "Redock"}));
  EXPECT_FALSE(Enabled(sheet_.OpenSheet(), kApplyButton)) << "Apply stays disabled";
}

TEST_F(OptionsSheetTest, SwatchesPaintTheirColoursAndFollowTheChoice) {
  HWND view = ShowPage(1);
  auto centre = [&](int id) {
    HWND swatch = ::GetDlgItem(view, id);
    RECT r = {};
    ::GetClientRect(swatch, &r);
    return PrintedColourAt(swatch, r.right / 2, r.bottom / 2);
  };
  auto corner = [&](int id) { return PrintedColourAt(::GetDlgItem(view, id), 0, 0); };
  EXPECT_EQ(centre(IDC_VIEW_PANEL_BK), RGB(255, 0, 0));
  EXPECT_EQ(centre(IDC_VIEW_TEXT_COLOR), RGB(0, 255, 0));
  EXPECT_EQ(centre(IDC_VIEW_CLOCK_BK), RGB(0, 0, 255));
  EXPECT_EQ(corner(IDC_VIEW_CLOCK_BK), RGB(0, 0, 255)) << "filled to the edge, no frame";

  dialogs_.colourAnswer = RGB(10, 20, 30);
  Click(view, IDC_VIEW_CLOCK_BK);
  EXPECT_EQ(dialogs_.initialColour, RGB(0, 0, 255)) << "the dialog starts at the current colour";
  EXPECT_EQ(settings_.ColorClockBk, static_cast<int32_t>(RGB(10, 20, 30)));
  EXPECT_EQ(centre(IDC_VIEW_CLOCK_BK), RGB(10, 20, 30));

  dialogs_.colourAnswer.reset();  // cancelled: nothing changes, the bar is still asked
  Click(view, IDC_VIEW_PANEL_BK);
  EXPECT_EQ(settings_.ColorBk, 255);

  Click(view, IDC_VIEW_STANDARD);
  EXPECT_EQ(centre(IDC_VIEW_PANEL_BK), ::GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(centre(IDC_VIEW_CLOCK_BK), ::GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(centre(IDC_VIEW_TEXT_COLOR), ::GetSysColor(COLOR_WINDOWTEXT));
  EXPECT_EQ(bar_.calls, (Calls{"DialogOpen(1)", "Redock", "Background", "Redock", "Background"}));
}

TEST_F(OptionsSheetTest, F1OpensThePagesTopic) {
  const char* const topics[] = {"set_clock.htm", "set_view.htm", "set_prog.htm"};
  for (int page = 0; page < 3; ++page) {
    HWND hwnd = ShowPage(page);
    HELPINFO info = {sizeof(info), HELPINFO_WINDOW, 0, ::GetWindow(hwnd, GW_CHILD), 0, {0, 0}};
    ::SendMessageA(info.hItemHandle ? static_cast<HWND>(info.hItemHandle) : hwnd, WM_HELP, 0,
                   reinterpret_cast<LPARAM>(&info));
    // From the sheet's own OK button: the shown page answers.
    info.hItemHandle = ::GetDlgItem(sheet_.OpenSheet(), IDOK);
    ::SendMessageA(sheet_.OpenSheet(), WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
  }
  EXPECT_EQ(help_.topics, (std::vector<std::string>{topics[0], topics[0], topics[1], topics[1], topics[2], topics[2]}));
}

TEST_F(OptionsSheetTest, ASecondOpenBringsTheOpenSheetForward) {
  HWND first = sheet_.OpenSheet();
  ::SetForegroundWindow(bar_.Hwnd());
  PumpMessages(50);
  sheet_.Open(bar_.Hwnd());  // returns at once: no second sheet, no modal loop
  PumpMessages(10000, [&] { return ::GetForegroundWindow() == first; });
  EXPECT_EQ(sheet_.OpenSheet(), first);
  EXPECT_EQ(::GetForegroundWindow(), first);
  EXPECT_FALSE(sheet_.OpenModeless(bar_.Hwnd()));
  EXPECT_EQ(bar_.calls, Calls{"DialogOpen(1)"});
}

}  // namespace

namespace {

// Not a check: shows each page in turn for QR_OPTIONS_HOLD_MS, for screenshots
// taken with `import -window root` inside scripts/wine-session.sh meanwhile.
TEST_F(OptionsSheetTest, HoldEachPageForAScreenshot) {
  const char* hold = std::getenv("QR_OPTIONS_HOLD_MS");
  if (!hold) GTEST_SKIP() << "set QR_OPTIONS_HOLD_MS to hold each page open";
  ::SetWindowPos(sheet_.OpenSheet(), HWND_TOP, 40, 90, 0, 0, SWP_NOSIZE);
  for (int page = 0; page < 3; ++page) {
    ::SetForegroundWindow(sheet_.OpenSheet());
    ShowPage(page);
    PumpMessages(static_cast<DWORD>(std::atoi(hold)));
  }
}

}  // namespace
