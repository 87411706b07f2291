// The manager's window-free rules: web addresses, layouts, the "Window size"
// list, the delay in seconds and where the displayed bar goes.
#include <gtest/gtest.h>

#include <algorithm>

#include "editing/manager_rules.h"
#include "editing_ids.h"

namespace {

struct AddressCase {
  const char* typed;
  const char* stored;
};

class WebAddressTest : public testing::TestWithParam<AddressCase> {};

TEST_P(WebAddressTest, KeepsASchemeAndPrefixesTheRest) { EXPECT_EQ(WebAddress(GetParam().typed), GetParam().stored); }

INSTANTIATE_TEST_SUITE_P(
    Targets, WebAddressTest,
    testing::Values(AddressCase{"host/page", "http://host/page"}, AddressCase{"http://host", "http://host"},
                    AddressCase{"ftp://files.example", "ftp://files.example"},
                    AddressCase{"HTTP://HOST/Page", "HTTP://HOST/Page"}, AddressCase{"https://host", "https://host"},
                    AddressCase{"svn+ssh://repo", "svn+ssh://repo"}, AddressCase{"mailto:me@example.com", "mailto:me@example.com"},
                    AddressCase{"MailTo:me@example.com", "MailTo:me@example.com"},
                    // Not schemes: a drive, a port, a path before "://", nothing before it.
                    AddressCase{"c:\\pages\\index.htm", "http://c:\\pages\\index.htm"},
                    AddressCase{"www.example.com:8080/x", "http://www.example.com:8080/x"},
                    AddressCase{"host/a://b", "http://host/a://b"}, AddressCase{"://host", "http://://host"}));

bool Shows(int kind, bool details, int id) {
  const auto shown = ShownControls(kind, details);
  return std::find(shown.begin(), shown.end(), id) != shown.end();
}

TEST(ManagerLayout, EachKindShowsItsControls) {
  // A file button: the working folder and arguments only with Details.
  EXPECT_TRUE(Shows(kLayoutFile, false, IDC_MGR_TARGET));
  EXPECT_TRUE(Shows(kLayoutFile, false, IDC_MGR_DETAILS));
  EXPECT_FALSE(Shows(kLayoutFile, false, IDC_MGR_WORKDIR));
  EXPECT_FALSE(Shows(kLayoutFile, false, IDC_MGR_CHANGE_ICON));
  EXPECT_TRUE(Shows(kLayoutFile, true, IDC_MGR_WORKDIR));
  EXPECT_TRUE(Shows(kLayoutFile, true, IDC_MGR_ARGS));
  EXPECT_TRUE(Shows(kLayoutFile, true, IDC_MGR_SIZE));
  // Folders and web links never show a working folder or arguments.
  for (int kind : {kLayoutFolder, kLayoutWeb}) {
    EXPECT_FALSE(Shows(kind, true, IDC_MGR_WORKDIR)) << kind;
    EXPECT_FALSE(Shows(kind, true, IDC_MGR_BROWSE_WORKDIR)) << kind;
    EXPECT_FALSE(Shows(kind, true, IDC_MGR_ARGS)) << kind;
    EXPECT_TRUE(Shows(kind, true, IDC_MGR_SIZE)) << kind;
    EXPECT_TRUE(Shows(kind, true, IDC_MGR_CHANGE_ICON)) << kind;
    EXPECT_FALSE(Shows(kind, false, IDC_MGR_SIZE)) << kind;
  }
  // A bar: name, icons and the home-bar options, no target.
  EXPECT_EQ(ShownControls(kLayoutBar, true), ShownControls(kLayoutBar, false));
  EXPECT_TRUE(Shows(kLayoutBar, false, IDC_MGR_SECONDS_SPIN));
  EXPECT_TRUE(Shows(kLayoutBar, false, IDC_MGR_CHANGE_ICON));
  EXPECT_FALSE(Shows(kLayoutBar, false, IDC_MGR_TARGET));
  EXPECT_FALSE(Shows(kLayoutBar, false, IDC_MGR_DETAILS));
  EXPECT_TRUE(ShownControls(kLayoutNone, true).empty());
  // No button layout shows the home-bar options.
  for (int kind : {kLayoutFile, kLayoutFolder, kLayoutWeb})
    for (int id = IDC_MGR_SHOW_ON_LAUNCH; id <= IDC_MGR_SECONDS_LABEL; ++id) EXPECT_FALSE(Shows(kind, true, id));
  // Everything any layout shows is in the list the dialog hides from.
  for (int kind = 0; kind <= kLayoutNone; ++kind)
    for (int id : ShownControls(kind, true))
      EXPECT_NE(std::find(LayoutControls().begin(), LayoutControls().end(), id), LayoutControls().end()) << id;
}

TEST(ManagerLayout, UnknownButtonKindsAreLaidOutAsFiles) {
  EXPECT_EQ(ButtonLayout(0), kLayoutFile);
  EXPECT_EQ(ButtonLayout(1), kLayoutFolder);
  EXPECT_EQ(ButtonLayout(2), kLayoutWeb);
  EXPECT_EQ(ButtonLayout(-1), kLayoutFile);
  EXPECT_EQ(ButtonLayout(7), kLayoutFile);
}

TEST(ManagerRules, WindowSizeListAndShowCommandsConvertBothWays) {
  const int32_t showCmds[] = {1, 3, 2};
  for (int32_t choice = 0; choice < 3; ++choice) {
    EXPECT_EQ(ShowCmdForSizeChoice(choice, 9), showCmds[choice]);
    EXPECT_EQ(SizeChoiceForShowCmd(showCmds[choice], 9), choice);
  }
  EXPECT_EQ(ShowCmdForSizeChoice(-1, 3), 3) << "no item selected keeps the stored command";
  EXPECT_EQ(SizeChoiceForShowCmd(7, 2), 2) << "an unknown command keeps the list as it was";
  EXPECT_EQ(SizeChoiceForShowCmd(0, 1), 1);
}

TEST(ManagerRules, DelayStaysBetweenOneAndSixHundredSeconds) {
  EXPECT_EQ(ClampShowAfterSeconds(0), 1);
  EXPECT_EQ(ClampShowAfterSeconds(-5), 1);
  EXPECT_EQ(ClampShowAfterSeconds(45), 45);
  EXPECT_EQ(ClampShowAfterSeconds(99999), 600);
  EXPECT_EQ(ShowAfterSecondsOf(3000), 3);
  EXPECT_EQ(ShowAfterSecondsOf(999), 1);
  EXPECT_EQ(ShowAfterSecondsOf(3600000), 600);
}

TEST(ManagerRules, DisplayedBarFollowsItsBar) {
  // Deleting: an earlier bar lowers the index, the shown bar itself gives bar 0.
  EXPECT_EQ(DisplayedAfterDelete(3, 1), 2);
  EXPECT_EQ(DisplayedAfterDelete(3, 4), 3);
  EXPECT_EQ(DisplayedAfterDelete(3, 3), 0);
  // Swapping carries it with its bar either way.
  EXPECT_EQ(DisplayedAfterSwap(2, 2, 3), 3);
  EXPECT_EQ(DisplayedAfterSwap(3, 2, 3), 2);
  EXPECT_EQ(DisplayedAfterSwap(0, 2, 3), 0);
}

}  // namespace
